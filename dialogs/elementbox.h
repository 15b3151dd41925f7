// The element dialogs: modal forms whose controls (by object name) hold
// the texts and check states the tag builders take.
#pragma once

#include "dialogs/headtags.h"
#include "dialogs/tagreader.h"

#include "base/palette.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QWidget;
class TColorButton;
class THistoryCombo;

class TElementBox : public QDialog {
    Q_OBJECT
public:
    explicit TElementBox(const QString& caption, QWidget* parent = nullptr);

    // The texts and check states by control name (document text).
    tv::Fields fields() const;
    void setFields(const tv::Fields& fields);
    QWidget* control(const QString& name) const;
    // After the fields of an edited tag were set: swatches follow their edits.
    void syncSwatches();
    // Address fields keep their history after OK.
    void rememberHistories();
    // Turns a picked file into the reference text the tag gets.
    std::function<std::string(const std::string&)> relativeReference;

protected:
    QLineEdit* addEdit(const char* name, const QString& label, QFormLayout* into = nullptr);
    QComboBox* addCombo(const char* name, const QString& label, const QStringList& items, bool editable,
                        QFormLayout* into = nullptr);
    THistoryCombo* addHistory(const char* name, const QString& label, const QString& key);
    QCheckBox* addCheck(const char* name, const QString& label, QFormLayout* into = nullptr);
    void addColorRows();
    // A colour edit with its swatch; choosing a colour writes its code into
    // the edit and runs `chosen`.
    void addColorRow(QFormLayout* into, const char* edit, const char* swatch, const QString& label,
                     tv::ColorValue initial, std::function<void(tv::ColorValue)> chosen = {});
    // A Browse button beside a field: a file dialog, then the reference.
    void addBrowse(QWidget* field, const QString& title, const QString& filter,
                   const QString& caption = QStringLiteral("Browse..."));
    void addButtons();
    QFormLayout* form_;

private:
    struct Swatch {
        QLineEdit* edit;
        TColorButton* button;
        std::function<void(tv::ColorValue)> chosen;
    };
    std::vector<Swatch> swatches_;

protected:
    void showEvent(class QShowEvent* e) override;
    // Where its Browse buttons start: the document's folder, else the last
    // folder a Browse button went to.
    QString browseFolder() const;
    static QString& lastBrowseFolder();
    // A field of the form and its label, enabled or not together.
    void enableRow(QWidget* field, bool on);
};

// Tables: the table, a row, a cell (data or header).
class TTableBox : public TElementBox {
    Q_OBJECT
public:
    explicit TTableBox(QWidget* parent = nullptr);
};
class TTableRow : public TElementBox {
    Q_OBJECT
public:
    explicit TTableRow(QWidget* parent = nullptr);
};
class TTableCell : public TElementBox {
    Q_OBJECT
public:
    explicit TTableCell(QWidget* parent = nullptr);
};

// Forms.
class TFormBox : public TElementBox {
    Q_OBJECT
public:
    explicit TFormBox(QWidget* parent = nullptr);
};
class TInputBox : public TElementBox {
    Q_OBJECT
public:
    TInputBox(int type, QWidget* parent = nullptr);
    QComboBox* itype = nullptr;
    void applyType(int type, bool fromUser);
};
class TSelectBox : public TElementBox {
    Q_OBJECT
public:
    explicit TSelectBox(QWidget* parent = nullptr);
    class QSpinBox* spin = nullptr;  // "size"
};
class TOptionBox : public TElementBox {
    Q_OBJECT
public:
    explicit TOptionBox(QWidget* parent = nullptr);
};
class TTextAreaBox : public TElementBox {
    Q_OBJECT
public:
    explicit TTextAreaBox(QWidget* parent = nullptr);
};

// List options: the start tags of ordered and unordered lists.
class TListOptions : public TElementBox {
    Q_OBJECT
public:
    TListOptions(const std::string& olTag, const std::string& ulTag, bool unordered, QWidget* parent = nullptr);
    QComboBox* list = nullptr;
    QComboBox* oltype = nullptr;
    void showKind();
};

// Body, head and style sheet dialogs.
class TBodyBox : public TElementBox {
    Q_OBJECT
public:
    explicit TBodyBox(QWidget* parent = nullptr, const QString& caption = QStringLiteral("Body - Taviron"));
    class QFrame* b1 = nullptr;  // the sample panel
};
class TBaseBox : public TElementBox {
    Q_OBJECT
public:
    explicit TBaseBox(QWidget* parent = nullptr);
};
class TMetaBox : public TElementBox {
    Q_OBJECT
public:
    TMetaBox(const QString& owner, QWidget* parent = nullptr);
};
class THLinkBox : public TElementBox {
    Q_OBJECT
public:
    explicit THLinkBox(QWidget* parent = nullptr);
};
class TIsIndexBox : public TElementBox {
    Q_OBJECT
public:
    explicit TIsIndexBox(QWidget* parent = nullptr);
};
class TStyleBox : public TElementBox {
    Q_OBJECT
public:
    explicit TStyleBox(QWidget* parent = nullptr);
    QComboBox* otype = nullptr;
    QComboBox* fcolor = nullptr;
    QComboBox* bcolor = nullptr;
    // The chosen colour's name, "" for "[none]".
    static std::string colorName(const QComboBox* list);
};

// Font, rule, heading, frame and division dialogs.
class TFontBox : public TElementBox {
    Q_OBJECT
public:
    explicit TFontBox(QWidget* parent = nullptr);
    QCheckBox* SizeCheck = nullptr;
    class QSpinBox* UpDown1 = nullptr;
    QComboBox* SizeType = nullptr;
    class QLabel* c = nullptr;  // the sample
    void setSizeFromTag(const tv::FontSize& size);
    void updateSample();
};
class TBaseFontBox : public TElementBox {
    Q_OBJECT
public:
    explicit TBaseFontBox(QWidget* parent = nullptr);
    QCheckBox* SizeCheck = nullptr;
    class QSpinBox* spin = nullptr;
    class QLabel* c = nullptr;
    void updateSample();
};
class THRuleBox : public TElementBox {
    Q_OBJECT
public:
    explicit THRuleBox(QWidget* parent = nullptr);
};
class THeadingBox : public TElementBox {
    Q_OBJECT
public:
    explicit THeadingBox(QWidget* parent = nullptr);
};
class TFaddBox : public TElementBox {
    Q_OBJECT
public:
    explicit TFaddBox(QWidget* parent = nullptr);
    class QButtonGroup* addtype = nullptr;
};
class TSetBox : public TElementBox {
    Q_OBJECT
public:
    explicit TSetBox(QWidget* parent = nullptr);
    // Runs the add dialog for "cols" or "rows".
    void addPiece(const char* field);
};
class TFrameBox : public TElementBox {
    Q_OBJECT
public:
    explicit TFrameBox(QWidget* parent = nullptr);
};
class TDivBox : public TElementBox {
    Q_OBJECT
public:
    explicit TDivBox(QWidget* parent = nullptr);
};
