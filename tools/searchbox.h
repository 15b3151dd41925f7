// Tsearchbox: the one search dialog of the program, not modal, above the
// frame. In its one-file state its buttons act on the active document.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class THistoryCombo;

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
    QPushButton* Button1 = nullptr;  // "Multi Fil&e >>" / "<< One Fil&e"
    QGroupBox* Panel1 = nullptr;
    QRadioButton* all = nullptr;
    QRadioButton* dir = nullptr;
    THistoryCombo* directory = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QCheckBox* subdirs = nullptr;
    QRadioButton* proj = nullptr;
    QComboBox* project = nullptr;
    QCheckBox* subproj = nullptr;

    // The open project's folders (title and depth, root first), asked for
    // each time the dialog is shown.
    struct ProjectFolder {
        QString title;
        int level = 0;
    };
    std::function<std::vector<ProjectFolder>()> projectFolders;
    void fillProjectList();

    bool multiFile() const { return multi_; }
    void setMultiFile(bool on);
    void applyScope();

    // The texts as document text: lines joined by CR LF, in the document's
    // code page.
    std::string findText() const;
    std::string replaceText() const;
    // Puts UTF-8 text into the find box.
    void setFindText(const std::string& utf8);
    // Shows the dialog with the find box focused and its text selected.
    void showBox();

    // The buttons' commands, run after the dialog has closed; in the
    // multi-file state Find and Replace All run onFindInFiles and
    // onReplaceInFiles instead.
    std::function<void()> onFind, onReplace, onReplaceAll;
    std::function<void()> onFindInFiles, onReplaceInFiles;

protected:
    void hideEvent(QHideEvent* e) override;

private:
    bool multi_ = false;
};
