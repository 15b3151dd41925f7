// TDocumentManager: the open documents of a frame. It creates their windows
// in the frame's client area, opens, finds, saves and updates documents, and
// keeps what all of them share (the last tag pair for Repeat Tag). The frame
// keeps the menus, tool bars, tabs and tiling, and hears of new windows
// through documentCreated.
#pragma once

#include "base/docfile.h"
#include "dialogs/tagreader.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class DocumentHost;
class TDocument;
class QMdiArea;
class QWidget;
class TMDIChild;

class TDocumentManager : public QObject {
    Q_OBJECT
public:
    // `dialogParent`: the window the manager's questions and messages
    // belong to.
    TDocumentManager(DocumentHost& host, QMdiArea* area, QWidget* dialogParent);

    std::vector<TMDIChild*> documents() const;
    TMDIChild* activeDocument() const;
    // The window of a file name (compared exactly), brought to the front.
    TMDIChild* FindDocument(const QString& fileName);
    // The window of a file: the one already open, or a new one with the
    // file's text. Null when the file does not exist. Throws tv::FileError
    // when it cannot be read (no window is left behind).
    TMDIChild* OpenDocument(const QString& fileName);
    // A new document: "Untitled " and the next number; from a template
    // when one is named (its macros filled, `title` for "#TITLE#").
    TMDIChild* NewFile(const QString& templateName = {}, const QString& title = {});
    // A new, empty document under a file name that does not exist yet; the
    // file is written when the document is saved.
    TMDIChild* newNamed(const QString& fileName);
    // A new document holding `text`, the caret at `caret`.
    TMDIChild* newFromText(const std::string& text, int caret);
    // A document brought back from the recovery journal: its file name (an
    // untitled one gets the next untitled name), text and line ends, marked
    // modified; the file on disk is not touched until it is saved.
    TMDIChild* recover(const std::string& fileName, tv::LineEnds lineEnds, tv::FileEncoding encoding,
                       const std::string& text);
    // Another window on the document of `of`: its own caret and scrolling,
    // the one text, undo list and file.
    TMDIChild* newView(TMDIChild* of);

    // "&Save" for a window: Save As when untitled (if allowed), else writes
    // the file. False when nothing was written (cancelled or failed).
    bool SaveDocument(TMDIChild* child, bool saveAsWhenUntitled);
    bool SaveAs(TMDIChild* child);
    bool ConfirmReplace(const QString& fileName);
    // Saves every modified document that has a name.
    void saveAll();
    // Update over a list of files: open ones change in their windows, the
    // others are written back.
    void UpdateFolderFiles(const QStringList& files);

    // Compares a window's file on disk with the one it read or wrote last.
    // Changed by another program: an unmodified document is read again at
    // once (caret and first line kept), a modified one asks first; a file
    // that is gone leaves the document marked modified. Runs when a window
    // gets the focus and when a watched file changes under the active one.
    void checkDisk(TMDIChild* child);
    // Converts a window's document to another file encoding: its characters
    // are kept (into Windows-1252, those it lacks become numeric
    // references) and it is marked modified.
    void convert(TMDIChild* child, tv::FileEncoding encoding);
    // Reads the window's file again; false (and a message) when it cannot.
    bool reload(TMDIChild* child);

    // The last tag pair inserted, shared by all windows (Repeat Tag).
    tv::PendingTexts& repeatTags() { return repeat_; }
    int NextUntitledNumber = 0;

signals:
    // A window was made; its file name follows at once.
    void documentCreated(TMDIChild* child);
    // A line for the status bar.
    void statusMessage(const QString& text);
    // A document's text was written to its file.
    void documentSaved(TMDIChild* child);

private:
    // A window on a new document, or on `document`.
    TMDIChild* createChild(const QString& fileName, std::shared_ptr<TDocument> document = {});
    // Numbers the windows on one document (none when it has one).
    void numberViews(const TDocument& document);
    void showChild(TMDIChild* child);
    // `checkDisk`: ask first when the file changed on disk since it was read.
    bool writeDocument(TMDIChild* child, bool checkDisk);
    // Remembers the file as it is now and watches it.
    void remember(TMDIChild* child);
    void fileChanged(const QString& path);

    DocumentHost& host_;
    QMdiArea* area_;
    QWidget* parent_;
    tv::PendingTexts repeat_;
    QFileSystemWatcher watcher_;
    bool checking_ = false;
};
