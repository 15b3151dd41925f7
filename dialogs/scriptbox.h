// TScriptBox: a small script editor with a pop-up menu of language snippets.
#pragma once

#include <QDialog>

class QComboBox;
class QMenu;
class QPlainTextEdit;
class QToolButton;

class TScriptBox : public QDialog {
    Q_OBJECT
public:
    explicit TScriptBox(QWidget* parent = nullptr);
    QComboBox* lang = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QToolButton* Image1 = nullptr;

    // Puts a snippet in place of the selection: `before` + selection + `after`.
    void insertSnippet(const QString& before, const QString& after);

private:
    void addSnippets(QMenu* menu, const char* const* items, int kind);
};
