// Tsearchbox: the one search dialog of the program, not modal, above the
// frame. In its one-file state its buttons act on the active document.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class Tsearchbox : public QDialog {
    Q_OBJECT
public:
    explicit Tsearchbox(QWidget* parent = nullptr);

    QPlainTextEdit* find = nullptr;
    QPlainTextEdit* replace = nullptr;
    QCheckBox* matchcase = nullptr;
    QPushButton* FindBtn = nullptr;
    QPushButton* ReplaceBtn = nullptr;
    QPushButton* ReplaceAllBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The texts as document text: lines joined by CR LF, in the document's
    // code page.
    std::string findText() const;
    std::string replaceText() const;
    // Puts UTF-8 text into the find box.
    void setFindText(const std::string& utf8);
    // Shows the dialog with the find box focused and its text selected.
    void showBox();

    // The buttons' commands, run after the dialog has closed.
    std::function<void()> onFind, onReplace, onReplaceAll;
};
