// The user tag sets on the Custom tool bar: the set object that keeps its
// drop-down menu, the manager dialog and the tag editor.
#pragma once

#include "usertags/customtags.h"

#include <QDialog>
#include <QObject>

class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class TCustomTags : public QObject {
    Q_OBJECT
public:
    TCustomTags(int number, QMenu* popup, QObject* parent = nullptr);
    ~TCustomTags() override;  // writes the set when it changed

    tv::CustomTagSet set;
    QMenu* ParentPopup;
    int Tag;

    // Setting another folder reads the set from it.
    void setFilePath(const std::string& folder);
    void SetTitle(const std::string& title);
    void InsertTag(int position, const tv::UserTag& tag);
    void ChangeTag(int position, const tv::UserTag& tag);
    void DeleteTag(int position);
    void MoveTag(int from, int to);
    void RebuildTagMenu();
    // Writes the set when changed; false (with the reason) when it could not.
    bool SaveTags(std::string* error = nullptr);

signals:
    void tagItemClicked(TCustomTags* sender, const std::string& start, const std::string& close);
    void titleChanged(TCustomTags* sender);
};

class TTagEdit : public QDialog {
    Q_OBJECT
public:
    TTagEdit(const QFont& editorFont, QWidget* parent = nullptr);
    QLineEdit* tagname;
    QPlainTextEdit* start;
    QPlainTextEdit* close;
    QPushButton* ok;
    // The tag in stored form (line breaks coded), and back.
    tv::UserTag tag() const;
    void setTag(const tv::UserTag& t);
};

class TCustomBox : public QDialog {
    Q_OBJECT
public:
    TCustomBox(TCustomTags& tags, const QFont& editorFont, QWidget* parent = nullptr);
    QLineEdit* button;
    QListWidget* NameList;
    QPushButton *NewBtn, *EditBtn, *DeleteBtn, *ExitBtn, *Up, *Down;

    void NewClick();
    void EditClick();
    void DeleteClick();
    void move(int step);
    // Moves a row as a drop inside the list does.
    void dropRow(int from, int to);
    // However the dialog closed, the button name becomes the set's title.
    void applyTitle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TCustomTags& tags_;
    QFont font_;
    int dragRow_ = -1;
};
