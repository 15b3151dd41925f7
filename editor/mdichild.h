// TMDIChild: the window of one document inside the frame. It owns the editor
// RichEdit1, the document's Edit menu and context menu, keeps the frame's
// buttons and status bar in step with the editor, decides when typing starts
// a new undo step, carries out the edit commands and asks before a modified
// document closes.
#pragma once

#include "app/docfile.h"
#include "dialogs/tagreader.h"
#include "editor/colouring.h"
#include "editor/markup.h"
#include "editor/tvokrich.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <map>
#include <string>

class QAction;
class QMenu;
class TMainForm;

class TMDIChild : public QWidget {
    Q_OBJECT
public:
    explicit TMDIChild(TMainForm* frame);

    TvokRich* RichEdit1 = nullptr;
    QString FileName;
    bool ColorPending = false;
    tv::LineEnds LineEnds = tv::platformLineEnds();

    // The document's Edit menu, shown in the frame's menu bar while the
    // window is active, and its context menu.
    QMenu* Edit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* RepeatTag1 = nullptr;
    QAction* Find1 = nullptr;
    QAction* FindNext1 = nullptr;
    QAction* RaFagain = nullptr;
    QAction* Gotoline1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Undo2 = nullptr;
    QAction* Repeat2 = nullptr;
    QAction* color2 = nullptr;
    QAction* Cut2 = nullptr;
    QAction* Copy2 = nullptr;
    QAction* Paste2 = nullptr;
    QAction* SelectAll2 = nullptr;

    // The document's tag menus, shown in the frame's menu bar after Edit.
    QMenu* Text1 = nullptr;
    QAction* ChangeCase1 = nullptr;
    QAction* Breaks1 = nullptr;
    QAction* Tags1 = nullptr;
    QAction* Append1 = nullptr;
    QAction* Indent1 = nullptr;
    QAction* Translate1 = nullptr;
    QAction* zap = nullptr;
    QAction* UrlDecode1 = nullptr;
    QAction* Uncomment1 = nullptr;
    QMenu* Style1 = nullptr;
    QMenu* Format1 = nullptr;
    QMenu* Elements1 = nullptr;
    QMenu* Lists1 = nullptr;
    QAction* Color1 = nullptr;
    std::vector<QMenu*> documentMenus() const { return {Text1, Style1, Format1, Elements1, Lists1}; }
    // The simple tag commands by name ("Bold1", "H1", ...).
    std::map<std::string, QAction*> tagActions;

    // The last tag pair inserted, shared by all windows (Repeat Tag).
    static std::string PendingStartText;
    static std::string PendingEndText;
    // Set when a search finds nothing more.
    static bool EndReached;

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
    void runTagCommand(const std::string& name);

    // Update macros and include blocks, dates.
    void UpdateDocument(const QString& title);
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
    std::map<std::string, QAction*> dialogActions;

    // Find, replace, go to line.
    void Find1Click();
    void FindNext(const std::string& findText);
    void FindNext1Click();
    void ReplaceAndFindNext();
    void ReplaceAllInDocument();
    void Gotoline1Click();

    void SetFileName(const QString& name);
    bool IsUntitled() const;
    void ApplyEditorSettings();
    void SetWordWrap(bool on);
    void SetEditRect();
    void GetTitle();
    QString caption() const { return windowTitle(); }

    // Change of the text and of the selection.
    void TextChange();
    void CheckSelected();

    // Edit commands. `fromMenu`: the main menu's items act on the control
    // with the keyboard focus; context items and buttons on the editor.
    void Undo1Click(bool fromMenu = false);
    void Redo1Click();
    void Cut1Click(bool fromMenu = false);
    void Copy1Click(bool fromMenu = false);
    void Paste1Click(bool fromMenu = false);
    void SelectAll1Click();

    // The close query: false keeps the window open.
    bool FormCloseQuery();
    // Set once the frame has asked this window at shutdown.
    bool closeApproved = false;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void RichEdit1KeyDown(int key, Qt::KeyboardModifiers mods);
    void RichEdit1KeyPress(unsigned char ch);
    void Edit1Popup();
    void PopupMenu1Popup();
    void FormPaint();
    QWidget* commandTarget(bool fromMenu) const;
    void createTagMenus();
    void createTextMenu();
    void createDialogItems(QMenu* tableTags, QMenu* lists);
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
    void createHeadItems(QMenu* structure, QMenu* heading, QMenu* frameTags);
    std::string referenceFor(const std::string& file) const;
    void prepareImageBox(class TImageBox& box);
    void runImageBox(class TImageBox& box, bool edit, const std::string& tag);
    // The text tools' common ending: the new text replaces the selection,
    // is coloured and selected.
    void replaceAndSelect(const std::string& text);
    void applyWalk(int start, tv::WalkStop stop, int endPos, bool hourglass);
    tv::KindColors kindColors() const;
    QAction* addItem(QMenu* menu, const char* caption, const QKeySequence& key, const char* hint);

    TMainForm* frame_;
    bool shown_ = false;
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
