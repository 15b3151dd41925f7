// TMDIChild: the window of one document inside the frame. It owns the editor
// RichEdit1 and its context menu, decides when typing starts a new undo
// step, carries out the document commands and asks before a modified
// document closes. It knows the program around it only as a DocumentHost,
// and tells it of every change with stateChanged.
#pragma once

#include "dialogs/tagreader.h"
#include "window/commands.h"
#include "editor/colouring.h"
#include "editor/document.h"
#include "editor/documentfile.h"
#include "editor/markup.h"
#include "editor/textmodel.h"
#include "editor/tvokrich.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class TFoldMargin;
class TTypingAid;
class QMenu;
class DocumentHost;

class TMDIChild : public QWidget {
    Q_OBJECT
public:
    // A window on `document`, or on a new one.
    explicit TMDIChild(DocumentHost& host, std::shared_ptr<TDocument> document = {});

    // The document shown: its text, undo lists, modified mark and file.
    TDocument& document() const { return RichEdit1->document(); }
    // The view that draws the document and takes the keys: its selection,
    // caret and scrolling, for what works on what is on screen (spelling,
    // printing, the keyboard focus).
    TvokRich* view() const { return RichEdit1; }
    QString FileName() const { return QString::fromStdString(document().file.fileName); }
    // Which of the windows on one document this is: 0 when it is the only
    // one, else 1, 2, ... Its caption and tab say so ("page.html:2").
    int viewNumber() const { return viewNumber_; }
    void setViewNumber(int n);
    // The name its tab shows: the full file name, and the view's number.
    QString tabText() const;
    bool ColorPending = false;
    // Set when a search finds nothing more.
    bool EndReached = false;

    // The context menu.
    QMenu* PopupMenu1 = nullptr;
    QAction* Undo2 = nullptr;
    QAction* Repeat2 = nullptr;
    QAction* color2 = nullptr;
    QAction* Cut2 = nullptr;
    QAction* Copy2 = nullptr;
    QAction* Paste2 = nullptr;
    QAction* SelectAll2 = nullptr;

    // Colouring.
    void ColorDocument();
    void ColorRange(int endPos);
    void ColorAroundCaret();
    bool CaretInTag() const;

    // Tag insertion.
    void Markup();
    void MarkLines(const std::string& tag, tv::LineMode mode);
    void RepeatTag1Click();
    void Comment1Click();
    void Color1Click();
    bool ColorCodeAtCaret();
    void TagCommandClick(const tv::TagCommand& command);

    // Update macros and include blocks, dates, spelling.
    void UpdateDocument(const QString& title);
    void Update1Click();
    void CheckSpelling1Click();
    void CheckPage1Click();
    void IncludeFile1Click();
    void InsertDate(int kind);

    // Text tools.
    void ChangeCase1Click();
    void Breaks1Click();
    void Tags1Click();
    void Append1Click();
    void Indent1Click();
    void Uncomment1Click();
    void Translate1Click();
    void zapClick();
    void UrlDecode1Click();

    // Element dialogs.
    bool FindTag(const std::string& name);
    void Table1Click();
    void Anchor1Click();
    void Image1Click();
    void Embed1Click();
    void BackgroundSound1Click();
    void Applet1Click();
    void Parameter1Click();
    void Marquee1Click();
    // The anchor or image dialog already pointing at a file (a full path).
    void MakeLinkTag(const std::string& file);
    void MakeImageTag(const std::string& file);
    // A file dropped from the file pane: a link to it, or an image tag with
    // the image's size, around the selection or at the caret.
    void RichEdit1DragDrop(const std::string& file);
    void TableRow1Click();
    void TableData1Click();
    void TableHeader1Click();
    void Form1Click();
    void InsertInput(int type);
    void Select1Click();
    void Option1Click();
    void TextArea1Click();
    void Options2Click();
    void JavaScript1Click();
    void Body1Click();
    void Base1Click();
    void Meta1Click();
    void Link1Click();
    void IsIndex1Click();
    void StyleSheet1Click();
    void Font1Click();
    void BaseFont1Click();
    void HorizontalRule1Click();
    void HeadOptionsClick();
    void Frameset1Click();
    void Frame1Click();
    void Division1Click();

    // Find, replace, go to line.
    void Find1Click();
    void FindNext(const std::string& findText);
    void FindNext1Click();
    void ReplaceAndFindNext();
    void ReplaceAllInDocument();
    void Gotoline1Click();
    void GoToMatchingTag1Click();
    void SelectElement1Click();
    // Help with typing markup, and the fold margin.
    TTypingAid* typingAid() const { return typing_; }
    TFoldMargin* foldMargin() const { return folds_; }

    // The one way a whole new text comes into the window, without an undo
    // step: a text given (limited to the document's encoding) or read from
    // its file (`fromFile`: the encoding holds it already). The caret goes to
    // `caret`, or with none the view keeps its selection and first line;
    // then the whole text is coloured.
    void showText(std::string text, bool fromFile = false, std::optional<int> caret = 0);
    // Converts the document to another file encoding, one undo step: its
    // characters are kept (those Windows-1252 lacks become numeric
    // references) and it is marked modified.
    void convertEncoding(tv::FileEncoding e);
    void setLineNumbers(bool on);
    void SetFileName(const QString& name);
    bool IsUntitled() const;
    void ApplyEditorSettings();
    void SetWordWrap(bool on);
    void SetEditRect();
    // The document's name, as questions about it say it (without the view's number).
    QString caption() const;
    const DocumentHost& host() const { return host_; }

    // Where the selection goes after a replacement: `start` bytes into the
    // new text, `length` long; kEnd stands for the new text's length (the
    // text may grow on its way in, when the document's encoding lacks a
    // character of it).
    static constexpr int kEnd = -1;
    struct SelectionAfter {
        int start = 0;
        int length = 0;
    };
    enum class Recolour { Range, AroundCaret, None };
    // The one way a command changes part of the text: the new text replaces
    // the selection (an undo step when it differs), what changed is coloured
    // again and the selection goes where `after` says.
    void replaceSelection(const std::string& text, SelectionAfter after, Recolour recolour = Recolour::Range);

    // Change of the text and of the selection.
    void TextChange();
    void CheckSelected();

    // Edit commands and what they act on: the main menu's Undo, Cut, Copy
    // and Paste (Undo1, Cut1, ...) on the text field with the keyboard
    // focus, which may be a field of a search or tool window; the tool
    // buttons (UndoBtn, ...) and the context menu's items (Undo2, ...)
    // always on the editor.
    enum class EditTarget { Editor, FocusedField };
    void Undo1Click(EditTarget on = EditTarget::Editor);
    void Redo1Click();
    void Cut1Click(EditTarget on = EditTarget::Editor);
    void Copy1Click(EditTarget on = EditTarget::Editor);
    void Paste1Click(EditTarget on = EditTarget::Editor);
    void SelectAll1Click();
    // The file encoding: what the document's text may hold, and how it is
    // written.
    void setEncoding(tv::FileEncoding e);
    // Sets or clears the modified mark (cleared: the document is as on disk).
    void setModified(bool on);
    // What the frame enables for this window.
    bool canRepeatTag() const;
    // What holds in this window, for enabling commands.
    CommandState commandState() const;

    // The close query: false keeps the window open.
    bool FormCloseQuery();
    // Set once the frame has asked this window at shutdown.
    bool closeApproved = false;

signals:
    // The text, the selection, the undo lists, the file name or the
    // clipboard changed: the frame brings its buttons and tabs up to date.
    void stateChanged(TMDIChild* child);
    void fileNameChanged(TMDIChild* child);
    // The window is about to go.
    void closed(TMDIChild* child);
    // Typing or pasting stopped at the text limit of `characters`.
    void limitReached(int characters);

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    TvokRich* RichEdit1 = nullptr;
    TTypingAid* typing_ = nullptr;
    TFoldMargin* folds_ = nullptr;
    class TCommandActions* contextActions_ = nullptr;
    void RichEdit1KeyDown(int key, Qt::KeyboardModifiers mods);
    void RichEdit1KeyPress(unsigned char ch);
    void FormPaint();
    QWidget* commandTarget(EditTarget on) const;
    // The edit-or-insert sequence of the element commands. `afterRead` sees
    // the fields read from the tag being edited; `build` makes the new tag
    // (none: nothing is written), by default the element's own builder.
    using TagBuilder = std::function<std::optional<std::string>(const std::string& tag, const tv::Fields&)>;
    void editOrInsert(const tv::TagSpec& spec, class TElementBox& box,
                      const std::function<tv::PendingTexts(const std::string&, const tv::Fields&)>& pending,
                      const std::function<void(const tv::Fields&)>& afterRead = {}, const TagBuilder& build = {});
    void insertPending(const tv::PendingTexts& texts);
    void insertIfAny(const tv::PendingTexts& texts);
    // Steps 7 to 9 of the edit-or-insert sequence.
    void finishElement(bool edit, const std::string& newTag, const tv::PendingTexts& texts);
    std::string referenceFor(const std::string& file) const;
    void prepareImageBox(class TImageBox& box);
    void runImageBox(class TImageBox& box, bool edit, const std::string& tag);
    // The text tools' common ending: the new text replaces the selection,
    // is coloured and selected.
    void replaceAndSelect(const std::string& text);
    // The whole text, or the selection when there is one, is what a tool
    // works on: selects the whole text when nothing is selected.
    void selectAllIfEmpty();
    void applyWalk(int start, tv::WalkStop stop, int endPos, bool hourglass);
    tv::KindColors kindColors() const;
    void changed() { emit stateChanged(this); }
    // Find Next found nothing more: says so.
    void reachedEnd();

    // The file name or the view's number changed: caption, tab, folder.
    void nameChanged();

    DocumentHost& host_;
    bool shown_ = false;
    int viewNumber_ = 0;
};

// Suspends painting of a document window while an edit moves the selection
// about; painting resumes when the lock goes out of scope.
class PaintLock {
public:
    explicit PaintLock(QWidget* w);
    ~PaintLock();
    PaintLock(const PaintLock&) = delete;
    PaintLock& operator=(const PaintLock&) = delete;

private:
    QWidget* w_;
    bool wasEnabled_;
};

// One edit of a document window: one undo step (taken before its first
// change), the editor's change and selection events wait until it ends,
// painting is suspended while it runs and, when asked, the hourglass shows.
class EditTransaction {
public:
    explicit EditTransaction(TMDIChild& window, bool hourglass = false);
    ~EditTransaction();
    EditTransaction(const EditTransaction&) = delete;
    EditTransaction& operator=(const EditTransaction&) = delete;

private:
    EditScope scope_;
    PaintLock lock_;
    UndoGroup group_;
    bool hourglass_;
};
