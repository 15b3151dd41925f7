// The dialogs that start a new document: the new-document dialog (type,
// title, background and colours) and the template dialog.
#pragma once

#include "dialogs/elementbox.h"
#include "usertags/newdoc.h"

class QLineEdit;
class THistoryCombo;

class TNewDoc : public TBodyBox {
    Q_OBJECT
public:
    explicit TNewDoc(QWidget* parent = nullptr);
    // The texts of the controls, in the document's code page.
    tv::NewDocFields values() const;
};

class TTemplateBox : public QDialog {
    Q_OBJECT
public:
    explicit TTemplateBox(QWidget* parent = nullptr);
    QLineEdit* title = nullptr;
    THistoryCombo* templateName = nullptr;  // the control "template"
    // Puts the chosen template at the top of the history.
    void rememberHistory();
};
