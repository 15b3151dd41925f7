// TMainForm: the one multi-document frame of the process. It holds the
// options, the document windows, menus, tool bars and status bar; opens,
// finds, saves and closes documents; and forwards document commands to the
// active document window.
#pragma once

#include <array>

#include "app/palette.h"
#include "app/project.h"
#include "app/settings.h"
#include "tools/macros.h"

#include <QMainWindow>
#include <QStringList>
#include <map>
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
class TMDIChild;
class TFileDrag;
class TMRUFileList;
class TTabSet;
class Tsearchbox;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `args`: the command-line arguments (without the program name); `cwd`:
    // the folder relative names are taken from.
    TMainForm(QStringList args, QString cwd, QWidget* parent = nullptr);
    ~TMainForm() override;

    void setAboutBox(TAboutBox* box) { aboutBox_ = box; }
    // The owner of the installation, as the About box shows it.
    QString ownerName() const;
    const tv::Settings& settings() const { return settings_; }
    // Commands that change an option (the list options) write here.
    tv::Settings& mutableSettings() { return settings_; }

    // Documents.
    // A new document: "Untitled " and the next number. (Templates come with
    // the template dialog.)
    TMDIChild* NewFile(const QString& templateName = {}, const QString& title = {});
    TMDIChild* OpenDocument(const QString& fileName);
    TMDIChild* FindDocument(const QString& fileName);
    TMDIChild* activeDocument() const;
    std::vector<TMDIChild*> documents() const;
    // "&Save" for a window: Save As when untitled (if allowed), else writes
    // the file. False when nothing was written (cancelled or failed).
    bool SaveDocument(TMDIChild* child, bool saveAsWhenUntitled);
    bool SaveAs(TMDIChild* child);
    bool ConfirmReplace(const QString& fileName);
    // A single-instance message: bring the frame forward and open the name.
    void receiveHandOver(const QString& argument);
    // Files dropped on the frame, in order.
    void FileDrop(const QStringList& fileNames);
    void SaveAll1Click();
    // Update over a list of files: open ones change in their windows, the
    // others are written back. What a project folder's Update Files runs.
    void UpdateFolderFiles(const QStringList& files);
    // Browser preview.
    void BuildBrowserMenu();
    void BrowserItemClick(int index);
    void PreviewActive();
    void PreviewFile(const QString& fileName);
    void Preview1Click();
    void Options1Click();
    // What the update macros are filled from.
    tv::MacroContext macroContext() const;
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
    int NextUntitledNumber = 0;
    QString openDialogFolder() const { return openDir_; }

    // Called by document windows.
    void setCaretStatus(int line, int column);
    void documentStateChanged(TMDIChild* child);
    void documentClosed(TMDIChild* child);
    bool wordWrapChecked() const;

    void UpdateMenuItems();
    QString statusPanel(int index) const;

    // Tool buttons the document windows keep in step.
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
    // Tag buttons by the name of the command they run ("Bold1", ...).
    std::map<std::string, QAction*> tagButtons;

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
    QAction* Print1 = nullptr;
    QAction* PrintSetup1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* OpenDropDown = nullptr;
    QMenu* FrameEdit1 = nullptr;  // "&Edit" while no document is active
    QAction* FrameFind1 = nullptr;
    QMenu* View1 = nullptr;
    QMenu* Toolbars1 = nullptr;
    QAction* StatusBar1 = nullptr;
    QAction* TabControl1 = nullptr;
    QAction* WordWrap1 = nullptr;
    QAction* SpecialCharacters1 = nullptr;
    bool CharBoxAllowed = true;  // no special-character palette is open
    void SpecialCharacters1Click();
    QMenu* Window1 = nullptr;
    QAction* Cascade1 = nullptr;
    QAction* TileHorizontal1 = nullptr;
    QAction* TileVertical1 = nullptr;
    QAction* ArrangeIcons1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* About1 = nullptr;
    QAction* HelpTopics1 = nullptr;
    void HelpTopics1Click();
    class THelpBox* helpBox() const { return helpBox_; }

    // The file pane and the open project.
    class TFilePane* FilePanel = nullptr;
    class QSplitter* Splitter1 = nullptr;
    tv::TProject& project() { return *project_; }
    QString ProjectFileName() const { return QString::fromStdString(settings_.projFile); }
    // Asks to save a modified project; false when the calling command is
    // to stop (cancelled, or the save failed).
    bool QuerySaveProject();
    bool CloseProject();
    // Loads the project file (an empty project when it does not exist);
    // false when nothing changed.
    bool OpenProject(const QString& fileName);
    void NewProject1Click();
    void OpenProject1Click();
    bool SaveProject1Click();
    bool SaveProjectAs1Click();
    void CloseProject1Click();
    void AddCurrentFile1Click();
    void Project1Popup();
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
    // The search dialog, one for the whole program.
    Tsearchbox* searchBox();
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
    void createMenus();
    void createToolBars();
    void createCustomTags();
    void createFilePane();
    void createProjectMenu();
    QAction* addItem(QMenu* menu, const char* caption, const QKeySequence& key, const char* hint);
    QAction* addButton(const char* name, const char* hint, const char* themeIcon, int standardIcon);
    void FormShow();
    void FormDestroy();
    void applySettings();
    void applyToolBarLayouts();
    void collectToolBarLayouts();
    TMDIChild* createChild(const QString& fileName);
    void showChild(TMDIChild* child);
    int tabOf(TMDIChild* child) const;
    void TabSet1Change(int index);
    void NewBtnClick();
    void FromDialog1Click();
    void FromTemplate1Click();
    void Open1Click();
    void Close1Click();
    void ExitClick();
    void WordWrap1Click();
    void View1Popup();
    void fillToolbarsMenu(QMenu* menu);
    void Toolbars1Popup(QMenu* menu);
    void Window1Popup();
    void TileWindows(bool horizontal);
    void ArrangeIcons();
    void About1Click();
    void ShowApplicationHint(const QString& hint);
    void subWindowActivated(QMdiSubWindow* w);
    bool writeDocument(TMDIChild* child);
    void showError(const QString& text);

    QStringList args_;
    QString cwd_;
    tv::Settings settings_;
    QString openDir_;
    QMdiArea* mdi_ = nullptr;
    QLabel* panel0_ = nullptr;
    QLabel* panel1_ = nullptr;
    std::vector<QMenu*> merged_;  // the active document's menus in the menu bar
    Tsearchbox* searchBox_ = nullptr;
    class THelpBox* helpBox_ = nullptr;
    QAction* addTagButton(QToolBar* bar, const char* command, const char* label, int style);
    void createTagButtons();
    QAction* windowListSeparator_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    bool shown_ = false;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<tv::TProject> project_;
};
