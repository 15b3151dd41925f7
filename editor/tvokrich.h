// TvokRich: the text control of every document window. A Scintilla editor in
// UTF-8 mode with CR LF line ends: a position counts bytes of the UTF-8 text
// and a line break counts two; columns and the text limit count characters.
// What goes in is limited to the document's file encoding (a character
// Windows-1252 lacks goes in as its numeric character reference). Its own undo and redo are whole-document snapshots
// (text, colours, selection, first visible line) in two bounded lists; the
// component's undo is off. Character colours are the palette's 16 entries,
// one style each, so a colour index is a style number.
#pragma once

#include "base/palette.h"
#include "editor/snapshot.h"
#include "text/encoding.h"

#include <Qsci/qsciscintilla.h>
#include <QString>
#include <algorithm>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

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

class TvokRich : public QsciScintilla {
    Q_OBJECT
public:
    explicit TvokRich(QWidget* parent = nullptr);
    ~TvokRich() override;

    // --- text --------------------------------------------------------------
    std::string Text() const;
    // The text without a copy; valid until the next change. (The component
    // moves its gap to the end for it: after an edit far from the end,
    // that copies what follows the edit.)
    std::string_view TextView() const;
    // The text before a position, without moving the gap after an edit there.
    std::string_view TextBefore(int pos) const;
    // Replaces the whole text without an undo step and fires OnChange once.
    void SetText(std::string_view text);
    // The same for a text read from the document's file, which its encoding
    // holds already.
    void LoadText(std::string_view text);
    // The file encoding of the document; what goes in is limited to it.
    tv::FileEncoding Encoding() const { return encoding_; }
    void SetEncoding(tv::FileEncoding e) { encoding_ = e; }
    // A text as it may go into this document.
    std::string Limited(std::string_view text) const;
    int CharacterCount() const;
    int CharactersBetween(int start, int end) const;
    int Length() const;
    int LineCount() const;
    int LineOfPosition(int pos) const;
    // Where the text from `pos` to `end` is drawn, in screen coordinates
    // (on the line of `pos`; at least one pixel wide).
    QRect screenRect(int pos, int end) const;
    int LineStart(int line) const;
    // Length of a line without its line break.
    int LineLength(int line) const;
    std::string Line(int line) const;
    unsigned char CharAt(int pos) const;
    // Characters before a position, and the position after that many
    // characters; both walk one line only.
    int CharacterOffset(int pos) const;
    int PositionOfOffset(int offset) const;

    // --- selection ---------------------------------------------------------
    int SelStart() const;
    int SelLength() const;
    // Where the caret is: one end of the selection.
    int CaretPosition() const;
    void SetSelStart(int pos);     // empties the selection
    void SetSelLength(int length); // from SelStart
    void SetSel(int start, int length);
    std::string SelText() const;
    // Replaces the selection; records an undo step first when the text
    // differs from the selected text. The caret ends after the text.
    void ReplaceSelection(std::string_view text);

    int CaretLine() const;
    int CaretColumn() const;
    int TopLine() const;
    void GoToLine(int line);
    void GoToColumn(int column);
    void ScrollToLine(int line);
    int PositionAtPoint(const QPoint& p) const;

    // --- undo and redo -----------------------------------------------------
    void SaveUndo() { PushUndo(true); }
    void PushUndo(bool clearRedo);
    void PushRedo();
    bool CanUndo() const { return lists_.canUndo(); }
    bool CanRedo() const { return lists_.canRedo(); }
    void Undo();
    void Redo();
    void ClearUndo() { lists_.clearUndo(); }
    void ClearRedo() { lists_.clearRedo(); }
    int UndoLimit() const { return lists_.limit(); }
    void SetUndoLimit(int limit) { lists_.setLimit(limit); }
    const tv::SnapshotLists<tv::TUndo>& snapshots() const { return lists_; }
    tv::TUndo TakeSnapshot() const;
    // Every character's colour (palette index), read from the component.
    std::string Styles() const { return readStyles(0, Length()); }

    // --- state -------------------------------------------------------------
    // Whether the text differs from what its file holds. Edits that bring
    // the text back to what was saved clear it again.
    bool Modified() const { return modified_; }
    // false: the text as it is now is what the file holds (a save point);
    // true: unsaved whatever the text holds (its file was deleted, or it is
    // to be written in another encoding), until the next save point.
    void SetModified(bool on);
    // Whether SetModified(true) holds the mark whatever the text.
    bool MarkedUnsaved() const { return forcedModified_; }
    bool SelectionBar() const { return selectionBar_; }
    void SetSelectionBar(bool on);
    // Typing and pasting stop at this many characters; 0 is no limit.
    int TextLimit() const { return textLimit_; }
    void SetTextLimit(int limit) { textLimit_ = limit; }
    // Room left for an insertion that replaces the selection.
    int RoomForInsert() const;
    // Text was refused at the limit: a beep, and OnLimitReached.
    void LimitReached();
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint) { hint_ = std::move(hint); }

    // --- colours and font --------------------------------------------------
    // Colour of the selected characters (of the first one); with an empty
    // selection, the colour typed text will get.
    int SelColor() const;
    void SetSelColor(int index);
    int ColorAt(int pos) const;
    // Gives the characters from `start` up to `end` one colour.
    void SetRangeColor(int start, int end, int index);
    // Gives the characters from `start` on the colours of `colors`, one
    // palette index per character.
    void SetRangeColors(int start, std::string_view colors);
    // The colour typed text will get.
    void SetTypingColor(int index);
    // The ends of the text no change touched since the last call.
    UntouchedEnds TakeUntouchedText() { return std::exchange(untouchedText_, {}); }
    // Grows with every change of the text, whoever makes it.
    unsigned long ChangeCount() const { return changeCount_; }
    int TypingColor() const { return typingStyle_; }
    void SetBackgroundColor(tv::ColorValue color);
    // Paints every palette index with its colour in the light (standard) or
    // the dark scheme; the caret and the line numbers follow the text.
    void SetColorScheme(bool dark);
    void SetEditorFont(const QString& name, int pointSize);
    void SetWordWrapOn(bool on);
    // A margin with the lines' numbers, counted from 1.
    void SetLineNumbers(bool on);
    bool WordWrapOn() const;
    void SetEditRect(const QRect& r);

    // --- clipboard ---------------------------------------------------------
    static bool ClipboardHasText();
    // Clipboard text as this document's text (its encoding, CR LF).
    std::string ClipboardText() const;
    void CopyToClipboard();
    // Copies, then removes the selection (the caller records the undo step).
    void CutToClipboard();

    // Requests from other code: they use the snapshot lists.
    void undo() override { Undo(); }
    void redo() override { Redo(); }

    // A file dragged from the file pane and dropped here.
    std::function<void(const QString& file)> OnFileDrop;

signals:
    void OnChange();
    void OnSelectionChange();
    void OnVScroll();
    void OnHScroll();
    // A key before it acts, and a typed character (Backspace '\b', Enter
    // '\r', Tab '\t', otherwise the first byte the character becomes).
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void OnKeyPress(unsigned char ch);
    // Typing or pasting stopped at the text limit.
    void OnLimitReached();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    friend class EditScope;
    void restore(const tv::TUndo& u);
    void replaceRange(int start, int end, std::string_view text);
    void insertTyped(std::string_view bytes);
    void onModified(int position, int type, int length);
    // Bookkeeping of a change: the modified mark, the change event to come,
    // and the typing colour for inserted text.
    void textChanged(int position, int inserted);
    void componentKey(QKeyEvent* e);
    void onUpdateUi(int updated);
    void flush();
    void queueFlush();
    void restrictKeyBindings();
    void setupStyles();

    tv::SnapshotLists<tv::TUndo> lists_{5};
    bool modified_ = false;
    bool forcedModified_ = false;
    bool savedCheckPending_ = false;
    std::size_t savedLength_ = 0;
    std::uint64_t savedHash_ = 0;
    unsigned long changeCount_ = 0;
    bool selectionBar_ = false;
    int textLimit_ = 0;
    int typingStyle_ = 0;
    std::string hint_;
    // Edits in progress: OnChange and OnSelectionChange fire once the
    // outermost one ends, after the caret has moved.
    int depth_ = 0;
    bool changePending_ = false;
    bool flushQueued_ = false;
    bool restoring_ = false;
    long lastAnchor_ = -1;
    long lastCaret_ = -1;
    tv::FileEncoding encoding_ = tv::FileEncoding::Utf8;
    // The component's engine and the timer of its background work (the
    // wrapping of lines not on screen), held for large documents.
    QObject* engine_ = nullptr;
    QObject* idleTimer_ = nullptr;
    bool idleHeld_ = false;
    bool wrapsInBackground() const;
    // The last snapshot (or the one restored) and how much of the text's
    // start and end no change has touched since: the next snapshot shares
    // its pieces there and reads back from the component only what lies
    // between.
    void styleTouched(int start, int end);
    std::string readStyles(int start, int end) const;
    mutable tv::SharedText knownText_;
    mutable tv::SharedText knownStyles_;
    mutable bool known_ = false;
    mutable UntouchedEnds untouchedStyles_;
    UntouchedEnds untouchedText_;
};

// Marks an edit in progress on the editor; the editor's events fire when the
// outermost scope ends.
class EditScope {
public:
    explicit EditScope(TvokRich* e) : e_(e) { ++e_->depth_; }
    ~EditScope() {
        if (--e_->depth_ == 0) e_->flush();
    }
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

private:
    TvokRich* e_;
};
