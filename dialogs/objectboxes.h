// The link, image and embedded-object dialogs.
#pragma once

#include "dialogs/elementbox.h"

class QCheckBox;
class QSpinBox;
class QToolButton;

class TLinkBox : public TElementBox {
    Q_OBJECT
public:
    explicit TLinkBox(QWidget* parent = nullptr);
    THistoryCombo* url = nullptr;
    QToolButton* scheme = nullptr;  // its menu puts a scheme in front of the address
};

class TImageBox : public TElementBox {
    Q_OBJECT
public:
    explicit TImageBox(QWidget* parent = nullptr);
    THistoryCombo* src = nullptr;
    QCheckBox* wh = nullptr;
    QComboBox* border = nullptr;
    // The folder of the document, for addresses relative to it.
    std::function<std::string()> documentFolder;
    // Reads the size of the image `src` names into width and height.
    void lookUpSize();
    // Writes the size of a file when it has one.
    void showSizeOf(const std::string& file);
};

class TEmbedBox : public TElementBox {
    Q_OBJECT
public:
    explicit TEmbedBox(QWidget* parent = nullptr);
};

class TSoundBox : public TElementBox {
    Q_OBJECT
public:
    explicit TSoundBox(QWidget* parent = nullptr);
    QCheckBox* infinite = nullptr;
    QSpinBox* spin = nullptr;
};

class TAppletBox : public TElementBox {
    Q_OBJECT
public:
    explicit TAppletBox(QWidget* parent = nullptr);
};

class TParamBox : public TElementBox {
    Q_OBJECT
public:
    explicit TParamBox(QWidget* parent = nullptr);
};

class TMarqueeBox : public TElementBox {
    Q_OBJECT
public:
    explicit TMarqueeBox(QWidget* parent = nullptr);
    QCheckBox* Infinite = nullptr;
};
