// TDocument: one document apart from the windows that show it. It owns what
// is not pixels: the text (a Scintilla document that every view of it
// shows), each character's colour, the undo and redo snapshots, the save
// point and the modified mark, the title, and the file the text belongs to.
// Views (TvokRich) hold their own selection and scroll position and tell
// the document what their typing changed.
#pragma once

#include "editor/queuedonce.h"

#include "editor/documentfile.h"
#include "editor/snapshot.h"
#include "editor/textmodel.h"

#include <Qsci/qscidocument.h>
#include <QObject>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QsciScintilla;

// How many bytes at the start and at the end of a text no change has
// touched since a moment.
struct UntouchedEnds {
    int front = std::numeric_limits<int>::max();
    int back = std::numeric_limits<int>::max();
    // A change left [start, end) of a text now `length` bytes long.
    void touch(int start, int end, int length) {
        front = std::min(front, std::max(0, start));
        back = std::min(back, std::max(0, length - end));
    }
};

class TDocument : public QObject {
    Q_OBJECT
public:
    TDocument();
    ~TDocument() override;
    TDocument(const TDocument&) = delete;
    TDocument& operator=(const TDocument&) = delete;

    // The file, its line ends and encoding; what goes into the text is
    // limited to that encoding.
    tv::DocumentFile file;

    // What views attach to.
    QsciDocument buffer() const;

    // --- text ---------------------------------------------------------------
    std::string text() const { return std::string(textView()); }
    // The text without a copy; valid until the next change.
    std::string_view textView() const;
    int length() const;
    // A text as it may go into this document (its encoding).
    std::string limited(std::string_view text) const;
    // The whole text replaced, without an undo step: as read from the file
    // (which its encoding holds already), or given (limited to it).
    void loadText(std::string_view text);
    void setText(std::string_view text) { loadText(limited(text)); }
    // [start, end) replaced by `text` without an undo step; what is inserted
    // gets colour `color` (none: -1).
    void replaceRange(int start, int end, std::string_view text, int color = -1);
    // What a view's own editing changed: `inserted` bytes at `position`
    // (after what it removed there), coloured `color`.
    void noteChange(int position, int inserted, int color);
    // An edit that changed nothing still counts as a change of the text.
    void noteUnchangedEdit() { changePending_ = true; }
    // Grows with every change of the text, whoever makes it.
    unsigned long changeCount() const { return changeCount_; }

    // --- colours ------------------------------------------------------------
    int colorAt(int pos) const;
    void setRangeColor(int start, int end, int index);
    // Colours from `start` on, one palette index per byte.
    void setRangeColors(int start, std::string_view colors);
    // Every character's colour.
    std::string styles() const { return readStyles(0, length()); }

    // --- undo and redo ------------------------------------------------------
    // Where a view stood: what a snapshot keeps of it and gives back.
    struct ViewPlace {
        int selStart = 0;
        int selLength = 0;
        int topLine = 0;
    };
    tv::TUndo takeSnapshot(const ViewPlace& place) const;
    void pushUndo(const ViewPlace& place, bool clearRedo);
    void pushRedo(const ViewPlace& place) { lists_.pushRedo(takeSnapshot(place)); }
    bool canUndo() const { return lists_.canUndo(); }
    bool canRedo() const { return lists_.canRedo(); }
    // Back to the last snapshot (the state left goes to the other list);
    // where the view that asked should stand, or none when there was none.
    std::optional<ViewPlace> undo(const ViewPlace& now);
    std::optional<ViewPlace> redo(const ViewPlace& now);
    // The undo step of an edit: taken before its first change; within a
    // group (an edit of several changes) only once, before the first.
    void recordUndo(const ViewPlace& place);
    void beginUndoGroup() {
        if (undoGroup_++ == 0) undoRecorded_ = false;
    }
    void endUndoGroup() { --undoGroup_; }
    void clearUndo() { lists_.clearUndo(); }
    void clearRedo() { lists_.clearRedo(); }
    int undoLimit() const { return lists_.limit(); }
    void setUndoLimit(int limit) { lists_.setLimit(limit); }
    const tv::SnapshotLists<tv::TUndo>& snapshots() const { return lists_; }

    // --- state --------------------------------------------------------------
    // Whether the text differs from what its file holds. Edits that bring
    // the text back to what was saved clear it again.
    bool modified() const { return modified_; }
    // false: the text as it is now is what the file holds (a save point);
    // true: unsaved whatever the text holds (its file was deleted, or it is
    // to be written in another encoding), until the next save point.
    void setModified(bool on);
    // Whether setModified(true) holds the mark whatever the text.
    bool markedUnsaved() const { return forcedModified_; }
    // The text of the first TITLE element, kept through the changes.
    const std::string& title() const { return title_.title(); }

    // --- edits in progress --------------------------------------------------
    // `changed` fires once the outermost edit ends.
    void beginEdit() { ++depth_; }
    void endEdit();

signals:
    // The text changed (after the edit that changed it ended); first the
    // bytes at its start and end that no change touched since the last time.
    void touched(int front, int back);
    void changed();
    // The file name changed; the windows showing the document follow.
    void renamed();
    // An edit of many lines begins (true) or has ended (false): views stop
    // wrapping lines for it.
    void largeEdit(bool starting);

private:
    void textChanged(int position, int inserted, int color);
    void restore(const tv::TUndo& u);
    void styleTouched(int start, int end) { untouchedStyles_.touch(start, end, length()); }
    std::string readStyles(int start, int end) const;
    void flush();
    void queueFlush();
    long send(unsigned int message, unsigned long w = 0, long l = 0) const;

    // A component that is never shown: it holds the text buffer, and the
    // document's own edits go through it.
    std::unique_ptr<QsciScintilla> engine_;
    tv::SnapshotLists<tv::TUndo> lists_{5};
    bool modified_ = false;
    bool forcedModified_ = false;
    bool savedCheckPending_ = false;
    std::size_t savedLength_ = 0;
    std::uint64_t savedHash_ = 0;
    unsigned long changeCount_ = 0;
    int depth_ = 0;
    bool changePending_ = false;
    QueuedOnce flushLater_;
    bool restoring_ = false;
    int undoGroup_ = 0;
    bool undoRecorded_ = false;
    // The title, and the ends of the text no change touched since it was
    // last looked for.
    tv::TitleTracker title_;
    UntouchedEnds untouchedText_;
    // The last snapshot (or the one restored) and how much of the text's
    // start and end no change has touched since: the next snapshot shares
    // its pieces there and reads back only what lies between.
    mutable tv::SharedText knownText_;
    mutable tv::SharedText knownStyles_;
    mutable bool known_ = false;
    mutable UntouchedEnds untouchedStyles_;
};

// Changes that make one undo step together.
class UndoGroup {
public:
    explicit UndoGroup(TDocument& d) : d_(d) { d_.beginUndoGroup(); }
    ~UndoGroup() { d_.endUndoGroup(); }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    TDocument& d_;
};

// An edit of a document in progress: its `changed` fires once the outermost
// one ends.
class DocumentEdit {
public:
    explicit DocumentEdit(TDocument& d) : d_(d) { d_.beginEdit(); }
    ~DocumentEdit() { d_.endEdit(); }
    DocumentEdit(const DocumentEdit&) = delete;
    DocumentEdit& operator=(const DocumentEdit&) = delete;

private:
    TDocument& d_;
};
