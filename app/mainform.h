// TMainForm: the one multi-document frame of the process. It holds the
// options, the menus, tool bars, tabs and status bar, and the document
// manager with the document windows; it makes one action per document
// command and sends each to the active document window. To the windows it
// is their DocumentHost.
#pragma once

#include <array>

#include "base/palette.h"
#include "files/project.h"
#include "base/settings.h"
#include "app/panes.h"
#include "window/commands.h"
#include "window/documenthost.h"
#include "tools/macros.h"

#include <QMainWindow>
#include <QStringList>
#include <map>
#include <QPointer>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QToolBar;
class TAboutBox;
class TDocumentManager;
class TMDIChild;
struct Command;
struct CommandState;
class TCommandActions;
class TFileDrag;
class TMRUFileList;
class TTabSet;
class Tsearchbox;

class TMainForm : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    // `args`: the command-line arguments (without the program name); `cwd`:
    // the folder relative names are taken from.
    TMainForm(QStringList args, QString cwd, QWidget* parent = nullptr);
    ~TMainForm() override;

    void setAboutBox(TAboutBox* box) { aboutBox_ = box; }
    // What the document windows ask of their host.
    // The owner of the installation, as the About box shows it.
    QString ownerName() const override;
    const tv::Settings& settings() const override { return settings_; }
    tv::Settings& mutableSettings() override {
        noteSettingsChanged();
        return settings_;
    }
    tv::MacroContext macroContext() const override;
    tv::PendingTexts& repeatTags() override;
    Tsearchbox* searchBox() override;
    QString openDialogFolder() const override { return openDir_; }
    void rememberDialogFolder(const QString& folder) override { openDir_ = folder; }
    bool otherViewStays(const TMDIChild* child) const override;
    bool wordWrapChecked() const override;
    bool saveDocument(TMDIChild* child, bool saveAsWhenUntitled) override;
    void checkSpelling() override { SpellBtnClick(); }
    void checkPage() override;
    void bringForward() override;
    std::vector<std::string> ownElementNames() const override;

    // The open documents, and the journal that keeps their unsaved text.
    TDocumentManager* docs() const { return docs_; }
    class TRecoveryJournal* journal() const { return journal_; }
    // Offers the documents that frames which did not close normally left in
    // the journal; true when some were opened.
    bool offerRecovery();
    // Writes every option to the store now (they are also written at exit).
    void writeSettingsNow();
    // An option changed: it is written to the store a moment later, so that
    // a crash does not undo it.
    void noteSettingsChanged();
    // A file opened by any route: a project file becomes the open project,
    // any other file a document window.
    TMDIChild* OpenDocument(const QString& fileName);
    TMDIChild* activeDocument() const;
    std::vector<TMDIChild*> documents() const;
    // The action of a command, or of a place of its own ("Bold1", "SaveBtn").
    QAction* command(const std::string& id) const;
    // Runs a command: on the active window (nothing without one), or on the
    // frame.
    void runCommand(const Command& c);
    // What holds now, for enabling the commands.
    CommandState commandState() const;

    // A name given on the command line or by a second start: the file, or
    // a new page under that name when there is none yet.
    void openNamed(const QString& fileName);
    // A single-instance message: bring the frame forward and open the name.
    void receiveHandOver(const QString& argument);
    // Files dropped on the frame, in order.
    void FileDrop(const QStringList& fileNames);
    // Browser preview.
    void BuildBrowserMenu();
    void BrowserItemClick(int index);
    void PreviewActive();
    void PreviewFile(const QString& fileName);
    void Preview1Click();
    void PrevBtnClick();
    void Options1Click();
    QAction* UpdateBtn = nullptr;
    QAction* DateBtn = nullptr;
    QMenu* DateMenu = nullptr;

    // Spell checking of the active document.
    void SpellBtnClick();
    class TAddictSpell* Spell1 = nullptr;
    QAction* SpellBtn = nullptr;
    QMenu* BrowserMenu = nullptr;
    QAction* Preview1 = nullptr;
    QAction* PrevBtn = nullptr;
    QAction* Options1 = nullptr;
    void Print1Click();
    void PrintSetup1Click();

    // The tab set of open documents.
    void AddDocumentTab(TMDIChild* child);
    void SelectActiveTab();
    void renameDocumentTab(TMDIChild* child);
    TTabSet* TabSet1 = nullptr;
    QWidget* TabPanel = nullptr;
    TMRUFileList* MRUFileList1 = nullptr;
    TFileDrag* FileDrag1 = nullptr;

    // Enables the menu items and buttons for the active window's state;
    // every change of a window comes here.
    void UpdateMenuItems();
    QString statusPanel(int index) const;

    // Tool buttons. Those of document commands are the commands' actions.
    QAction* NewBtn = nullptr;
    QAction* OpenBtn = nullptr;
    QAction* SaveBtn = nullptr;
    QAction* CutBtn = nullptr;
    QAction* CopyBtn = nullptr;
    QAction* PasteBtn = nullptr;
    QAction* UndoBtn = nullptr;
    QAction* RedoBtn = nullptr;   // Repeat Tag
    QAction* ColorBtn = nullptr;
    QMenu* HeaderMenu = nullptr;  // the Header drop-down, "Level &1" to "Level &6"

    // Menu items.
    QMenu* File1 = nullptr;
    QMenu* New1 = nullptr;
    QAction* Blank1 = nullptr;
    QAction* FromDialog1 = nullptr;
    QAction* FromTemplate1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* SaveAll1 = nullptr;
    // File > Encoding: the active document's file encoding, to convert it.
    QMenu* Encoding1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrintSetup1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* OpenDropDown = nullptr;
    QMenu* FrameEdit1 = nullptr;  // "&Edit" while no document is active
    // The document menus (Edit, Text, Style, Format, Elements, Lists), shown
    // while a document is active.
    std::vector<QMenu*> documentMenus;
    QAction* FrameFind1 = nullptr;
    QMenu* View1 = nullptr;
    QMenu* Toolbars1 = nullptr;
    QAction* StatusBar1 = nullptr;
    QAction* TabControl1 = nullptr;
    QAction* WordWrap1 = nullptr;
    QAction* LineNumbers1 = nullptr;
    QAction* SpecialCharacters1 = nullptr;
    bool CharBoxAllowed = true;  // no special-character palette is open
    void SpecialCharacters1Click();
    QMenu* Window1 = nullptr;
    QAction* NewView1 = nullptr;
    QAction* Cascade1 = nullptr;
    QAction* TileHorizontal1 = nullptr;
    QAction* TileVertical1 = nullptr;
    QAction* ArrangeIcons1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* About1 = nullptr;
    QAction* HelpTopics1 = nullptr;
    void HelpTopics1Click();
    class THelpBox* helpBox() const { return helpBox_; }

    // The panes: each in a dock, with its View menu item and its settings
    // key (the seam in app/panes.h).
    class QDockWidget* hostPane(QWidget* pane, const PaneSpec& spec);
    class QDockWidget* paneDock(const char* key) const;
    bool paneShown(const char* key) const;
    void showPane(const char* key, bool shown);

    // The file pane: the disk and the open project.
    class TFilePane* FilePanel = nullptr;
    class TDiskPane* diskPane() const;
    class TProjectPane* projectPane() const;
    // The files a search across files found.
    class TFoundBox* FoundPane = nullptr;
    // The active document rendered (null in a build without the preview).
    class TPreviewPane* PreviewPanel = nullptr;
    // The problems of the last check of a page or of a site's links.
    class TProblemsPane* ProblemsPanel = nullptr;
    void CheckLinks1Click();
    tv::TProject& project();
    QString ProjectFileName() const;
    // Opens a project file (an empty project when it does not exist); false
    // when nothing changed.
    bool OpenProject(const QString& fileName);
    void NewProject1Click();
    void OpenProject1Click();
    void CloseProject1Click();
    void AddCurrentFile1Click();
    // The pane shown or hidden, and its page.
    void setFilePaneVisible(bool visible);
    void showPanePage(int page);
    void vListBtnClick();
    void ToggleFileList1Click();
    QMenu* Project1 = nullptr;
    QAction* NewProject1 = nullptr;
    QAction* OpenProject1 = nullptr;
    QAction* SaveProject1 = nullptr;
    QAction* SaveProjectAs1 = nullptr;
    QAction* AddFiles1 = nullptr;
    QAction* AddCurrentFile1 = nullptr;
    QAction* CloseProject1 = nullptr;
    QAction* FileList1 = nullptr;
    QAction* ToggleFileList1 = nullptr;
    QAction* vListBtn = nullptr;

    // The nine tool bars, in menu order.
    QToolBar* MainTbar = nullptr;
    // The four user tag sets and their buttons on the Custom tool bar.
    std::array<class TCustomTags*, 4> Tags{};
    std::array<class QToolButton*, 4> CustB{};
    void Customize1Click(int set);
    void Tags2TagItemClick(const std::string& start, const std::string& close);
    void TitleChange1(class TCustomTags* set);
    std::vector<QToolBar*> toolBars;

    QMdiArea* mdiArea() const { return mdi_; }
    // Its multi-file state.
    void FindInFiles();
    void ReplaceInFiles();
    void ReplaceInOpenWindows();
    std::vector<std::string> searchFiles();

    // The dock pop-up: the same nine items as View > Toolbars.
    QMenu* createPopupMenu() override;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;

private:
    // The command table's actions, the menus and the tool bars made from it.
    void createCommands();
    std::vector<Command> frameCommandsBefore();  // File, Project, the frame's Edit
    std::vector<Command> frameCommandsAfter();   // View, Window, Help, tool buttons
    void createToolBars();
    void createCustomTags();
    void createFilePane();
    // The preview pane: made and hosted, shown the active document, told of
    // saves and of its options.
    void createPreviewPane();
    // The checks: the Problems pane, the page check on a worker thread
    // (again after a pause in typing when chosen), going to a problem.
    void createProblemsPane();
    void startPageCheck();
    void pageEdited(TMDIChild* child);
    void goToProblem(const QString& file, int line, int column);
    // No worker hands its result to this frame any more.
    void endChecks();
    struct CheckMailbox;
    std::shared_ptr<CheckMailbox> checkMailbox_;
    class QTimer* checkPause_ = nullptr;
    int checkGeneration_ = 0;
    QPointer<TMDIChild> checkedPage_;
    void previewFollow();
    void applyPreviewOptions();
    void FormShow();
    void FormDestroy();
    void applySettings();
    void applyToolBarLayouts();
    void collectToolBarLayouts();
    void documentCreated(TMDIChild* child);
    void documentStateChanged(TMDIChild* child);
    void documentClosed(TMDIChild* child);
    int tabOf(TMDIChild* child) const;
    void TabSet1Change(int index);
    void NewBtnClick();
    void FromDialog1Click();
    void FromTemplate1Click();
    void Open1Click();
    void Close1Click();
    void ExitClick();
    void WordWrap1Click();
    void fillToolbarsMenu(QMenu* menu);
    void Toolbars1Popup(QMenu* menu);
    void Window1Popup();
    void TileWindows(bool horizontal);
    void ArrangeIcons();
    void About1Click();
    void ShowApplicationHint(const QString& hint);
    void subWindowActivated(QMdiSubWindow* w);
    void showError(const QString& text);

    QStringList args_;
    QString cwd_;
    tv::Settings settings_;
    QString openDir_;
    QMdiArea* mdi_ = nullptr;
    QLabel* panel0_ = nullptr;
    QLabel* panel1_ = nullptr;
    QLabel* encodingPanel_ = nullptr;
    TDocumentManager* docs_ = nullptr;
    class TRecoveryJournal* journal_ = nullptr;
    class QTimer* settingsTimer_ = nullptr;
    struct HostedPane {
        PaneSpec spec;
        class QDockWidget* dock;
    };
    std::vector<HostedPane> panes_;
    std::vector<Command> paneCommands();
    void applyPaneLayouts();
    void collectPaneLayouts();
    std::vector<Command> frameBefore_;
    std::vector<Command> frameAfter_;
    TCommandActions* actions_ = nullptr;
    bool wordWrap_ = false;  // whether new windows wrap their lines
    bool destroying_ = false;
    bool clipboardHasText_ = false;
    Tsearchbox* searchBox_ = nullptr;
    class THelpBox* helpBox_ = nullptr;
    QAction* windowListSeparator_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    bool shown_ = false;
    std::unique_ptr<QPrinter> printer_;
};
