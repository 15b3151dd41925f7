// TvokRich: a view of a document (TDocument) and the text control of every
// document window. A Scintilla editor in UTF-8 mode with CR LF line ends: a
// position counts bytes of the UTF-8 text and a line break counts two;
// columns and the text limit count characters. What goes in is limited to
// the document's file encoding (a character Windows-1252 lacks goes in as its
// numeric character reference). The text, its colours, the undo and redo
// snapshots and the modified mark are the document's, shared by all its
// views; a view has its own selection, scroll position and typing colour.
// Character colours are the palette's 16 entries, one style each, so a
// colour index is a style number.
#pragma once

#include "editor/queuedonce.h"

#include "base/palette.h"
#include "editor/document.h"
#include "text/encoding.h"

#include <Qsci/qsciscintilla.h>
#include <QString>
#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

class TvokRich : public QsciScintilla {
    Q_OBJECT
public:
    // A view of a document of its own.
    explicit TvokRich(QWidget* parent = nullptr);
    // A view of `document`, which other views may show too.
    TvokRich(std::shared_ptr<TDocument> document, QWidget* parent);
    ~TvokRich() override;

    TDocument& document() const { return *doc_; }
    const std::shared_ptr<TDocument>& sharedDocument() const { return doc_; }

    // --- text --------------------------------------------------------------
    std::string Text() const;
    // The text without a copy; valid until the next change. (The component
    // moves its gap to the end for it: after an edit far from the end,
    // that copies what follows the edit.)
    std::string_view textView() const;
    // The text before a position, without moving the gap after an edit there.
    std::string_view textBefore(int pos) const;
    // Replaces the whole text without an undo step and fires OnChange once.
    void SetText(std::string_view text);
    // The same for a text read from the document's file, which its encoding
    // holds already.
    void LoadText(std::string_view text);
    // The file encoding of the document; what goes in is limited to it.
    tv::FileEncoding encoding() const { return doc_->file.encoding; }
    void setEncoding(tv::FileEncoding e) { doc_->file.encoding = e; }
    // A text as it may go into this document.
    std::string limited(std::string_view text) const { return doc_->limited(text); }
    int CharacterCount() const;
    int charactersBetween(int start, int end) const;
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
    int characterOffset(int pos) const;
    int positionOfOffset(int offset) const;

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
    // Puts `text` in place of what lies from `from` to the caret, as typing
    // does (the undo rules see its first character: OnKeyPress fires with
    // it); the caret ends `caretBack` bytes before its end.
    void typeOver(int from, std::string_view text, int caretBack = 0);

    int CaretLine() const;
    int CaretColumn() const;
    int TopLine() const;
    void GoToLine(int line);
    void GoToColumn(int column);
    void ScrollToLine(int line);
    int PositionAtPoint(const QPoint& p) const;

    // --- undo and redo (the document's lists; the view gives its place) ----
    void SaveUndo() { PushUndo(true); }
    void PushUndo(bool clearRedo) { doc_->pushUndo(place(), clearRedo); }
    bool CanUndo() const { return doc_->canUndo(); }
    bool CanRedo() const { return doc_->canRedo(); }
    void Undo();
    void Redo();
    tv::TUndo TakeSnapshot() const { return doc_->takeSnapshot(place()); }
    // Every character's colour (palette index).
    std::string styles() const { return doc_->styles(); }
    // Where the view stands: its selection and first visible line.
    TDocument::ViewPlace place() const { return {SelStart(), SelLength(), TopLine()}; }

    // --- state -------------------------------------------------------------
    // The document's modified mark.
    bool Modified() const { return doc_->modified(); }
    void SetModified(bool on) { doc_->setModified(on); }
    bool SelectionBar() const { return selectionBar_; }
    void SetSelectionBar(bool on);
    // Typing and pasting stop at this many characters; 0 is no limit.
    int TextLimit() const { return textLimit_; }
    void SetTextLimit(int limit) { textLimit_ = limit; }
    // Room left for an insertion that replaces the selection.
    int roomForInsert() const;
    // Text was refused at the limit: a beep, and OnLimitReached.
    void LimitReached();
    // The document's title.
    const std::string& Hint() const { return doc_->title(); }

    // --- colours and font --------------------------------------------------
    // Colour of the selected characters (of the first one); with an empty
    // selection, the colour typed text will get.
    int SelColor() const;
    void SetSelColor(int index);
    int ColorAt(int pos) const { return doc_->colorAt(pos); }
    // Gives the characters from `start` up to `end` one colour.
    void SetRangeColor(int start, int end, int index) { doc_->setRangeColor(start, end, index); }
    // Gives the characters from `start` on the colours of `colors`, one
    // palette index per character.
    void SetRangeColors(int start, std::string_view colors) { doc_->setRangeColors(start, colors); }
    // The colour typed text will get.
    void SetTypingColor(int index);
    // Grows with every change of the text, whoever makes it.
    unsigned long changeCount() const { return doc_->changeCount(); }
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
    // A key typed a character (its last byte; Backspace '\b', Enter '\r',
    // Tab '\t'), once its edit is over and the window has handled it.
    void charTyped(unsigned char ch);
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
    void attach();
    // Where the view goes after an undo or redo.
    void goTo(const TDocument::ViewPlace& place);
    void replaceRange(int start, int end, std::string_view text);
    void insertTyped(std::string_view bytes);
    void onModified(int position, int type, int length);
    // A change made through this view's component: the document's
    // bookkeeping, with this view's typing colour for what was inserted.
    void textChanged(int position, int inserted);
    // The document's text changed, through any view or the document itself.
    void documentChanged();
    void componentKey(QKeyEvent* e);
    // A key: the last byte it typed, or -1.
    int handleKey(QKeyEvent* e);
    void onUpdateUi(int updated);
    void flush();
    void queueFlush();
    void restrictKeyBindings();
    void setupStyles();

    std::shared_ptr<TDocument> doc_;
    bool selectionBar_ = false;
    int textLimit_ = 0;
    int typingStyle_ = 0;
    // Edits in progress: OnChange (from the document) and OnSelectionChange
    // fire once the outermost one ends, after the caret has moved.
    int depth_ = 0;
    QueuedOnce flushLater_;
    long lastAnchor_ = -1;
    long lastCaret_ = -1;
    // The component's engine and the timer of its background work (the
    // wrapping of lines not on screen), held for large documents.
    QObject* engine_ = nullptr;
    QObject* idleTimer_ = nullptr;
    bool idleHeld_ = false;
    bool wrapsInBackground() const;
    // The wrap mode held off during a large edit of the document.
    long heldWrap_ = -1;
};

// Marks an edit in progress on the editor; the editor's events fire when the
// outermost scope ends.
class EditScope {
public:
    explicit EditScope(TvokRich* e) : e_(e), doc_(e->doc_) {
        ++e_->depth_;
        doc_->beginEdit();
    }
    ~EditScope() {
        doc_->endEdit();
        if (--e_->depth_ == 0) e_->flush();
    }
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

private:
    TvokRich* e_;
    std::shared_ptr<TDocument> doc_;  // kept while the edit runs
};
