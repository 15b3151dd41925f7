// The dialogs of the text tools: change case, append, translate.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

// TCaseBox: one of five case changes.
class TCaseBox : public QDialog {
    Q_OBJECT
public:
    explicit TCaseBox(QWidget* parent = nullptr);
    QButtonGroup* radio = nullptr;  // 0 UPPER CASE ... 4 Capitalize sentences.
};

// TAppBox: a text for the start or the end of the selected lines. OK
// closes it only when there is a text.
class TAppBox : public QDialog {
    Q_OBJECT
public:
    explicit TAppBox(QWidget* parent = nullptr);
    QLineEdit* aptext = nullptr;
    QButtonGroup* w = nullptr;  // 0 beginning, 1 end
    void accept() override;
};

// TTranBox: characters to entities or back, in the selection or the whole
// document.
class TTranBox : public QDialog {
    Q_OBJECT
public:
    TTranBox(bool hasSelection, QWidget* parent = nullptr);
    QButtonGroup* convert = nullptr;  // 0 to entities, 1 to characters
    QCheckBox* only = nullptr;        // "Selection Only"
};
