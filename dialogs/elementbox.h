// The element dialogs: modal forms whose controls (by object name) hold
// the texts and check states the tag builders take.
#pragma once

#include "dialogs/tagreader.h"

#include <QDialog>
#include <QStringList>

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

protected:
    QLineEdit* addEdit(const char* name, const QString& label, QFormLayout* into = nullptr);
    QComboBox* addCombo(const char* name, const QString& label, const QStringList& items, bool editable,
                        QFormLayout* into = nullptr);
    THistoryCombo* addHistory(const char* name, const QString& label, const QString& key);
    QCheckBox* addCheck(const char* name, const QString& label, QFormLayout* into = nullptr);
    void addColorRows();
    void addButtons();
    QFormLayout* form_;

private:
    struct Swatch {
        QLineEdit* edit;
        TColorButton* button;
    };
    std::vector<Swatch> swatches_;
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
    class QSpinBox* spin = nullptr;  // bound to "size"
    void syncSpinner();
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
