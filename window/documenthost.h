// DocumentHost: what a document window needs from the program around it. The
// frame implements it; a window never sees the frame itself, and tests can
// give a window a small host of their own.
#pragma once

#include "base/settings.h"
#include "dialogs/tagreader.h"
#include "tools/macros.h"

#include <QString>

class QWidget;
class TMDIChild;
class Tsearchbox;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    virtual const tv::Settings& settings() const = 0;
    // Commands that change an option (the list options) write here.
    virtual tv::Settings& mutableSettings() = 0;
    // What the update macros and the date commands are filled from.
    virtual tv::MacroContext macroContext() const = 0;
    // The last tag pair inserted, which Repeat Tag inserts again: one for
    // all the windows of a frame.
    virtual tv::PendingTexts& repeatTags() = 0;
    // The search dialog, one for the whole program.
    virtual Tsearchbox* searchBox() = 0;
    virtual QString ownerName() const = 0;
    // Where the file dialogs of a document's commands start: the folder of
    // the last file opened or saved.
    virtual QString openDialogFolder() const = 0;
    virtual void rememberDialogFolder(const QString& folder) = 0;
    // Whether new windows wrap their lines.
    virtual bool wordWrapChecked() const = 0;
    // Saves a window's document (Save As when untitled and allowed); false
    // when nothing was written.
    virtual bool saveDocument(TMDIChild* child, bool saveAsWhenUntitled) = 0;
    // Whether another window on this window's document stays open (is not
    // about to close with it).
    virtual bool otherViewStays(const TMDIChild* child) const = 0;
    // Checks the spelling of the active document.
    virtual void checkSpelling() = 0;
    // Checks the markup of the active document.
    virtual void checkPage() = 0;
    // Brings the program's window to the front (a search found something).
    virtual void bringForward() = 0;
    // The names of the elements of the user's own tags (offered when a tag
    // is typed beside the standard's).
    virtual std::vector<std::string> ownElementNames() const { return {}; }
};
