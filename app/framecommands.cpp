// The frame's commands (File, Project, its own Edit, View, Window, Help and
// its tool buttons), the menus and tool buttons made from the command table,
// and the one loop that enables them.
#include "app/mainform.h"

#include "app/documents.h"
#include "files/filepaneui.h"
#include "files/projectpane.h"
#include "base/doctext.h"
#include "base/frametext.h"
#include "text/encoding.h"
#include "tools/dateformat.h"
#include "tools/searchbox.h"
#include "window/commandactions.h"
#include "typing/foldmargin.h"
#include "window/mdichild.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

using M = CommandMenu;

Command frameItem(const char* id, M menu, const char* caption, const char* shortcut, const char* hint,
                  std::function<void()> run, bool separatorBefore = false, unsigned needs = 0) {
    Command c;
    c.id = id;
    c.caption = caption;
    c.shortcut = shortcut;
    c.hint = hint;
    c.target = CommandTarget::Frame;
    c.needs = needs;
    c.runFrame = std::move(run);
    c.places.push_back({menu, {}, {}, {}, separatorBefore});
    return c;
}

// A tool button's place of a command: a name and a hint of its own.
CommandPlace buttonPlace(const char* name, const char* hint, unsigned needs = TheCommandsNeeds) {
    CommandPlace p;
    p.name = name;
    p.caption = tv::shortHint(hint);
    p.hint = hint;
    p.needs = needs;
    return p;
}

} // namespace

std::vector<Command> TMainForm::frameCommandsBefore() {
    std::vector<Command> t;
    auto add = [&t](Command c) -> Command& { return t.emplace_back(std::move(c)); };
    const unsigned any = NeedsAnyDocument;
    add(frameItem("Blank1", M::FileNew, "&Blank", "Ctrl+N", "Create a new blank document", [this] { docs_->NewFile(); }));
    add(frameItem("FromDialog1", M::FileNew, "From &Dialog...", "", "Create a new document with the Taviron dialog box",
                  [this] { FromDialog1Click(); }));
    add(frameItem("FromTemplate1", M::FileNew, "From &Template...", "",
                  "Create a new document from the selected template file", [this] { FromTemplate1Click(); }));
    add(frameItem("NewBtn", M::None, "New", "", "New|Create a new document", [this] { NewBtnClick(); }));
    add(frameItem("Open1", M::File, "&Open...", "Ctrl+O", "Open a file for editing", [this] { Open1Click(); }))
        .also(buttonPlace("OpenBtn", "Open|Open a file for editing"));
    add(frameItem("Close1", M::File, "&Close", "Ctrl+W", "Close the current document", [this] { Close1Click(); }, false,
                  any));
    add(frameItem("Preview1", M::File, "&Preview...", "F12", "Open current file with associated application",
                  [this] { Preview1Click(); }, false, any));
    add(frameItem("PrevBtn", M::None, "Preview", "", "Preview", [this] { PrevBtnClick(); }, false, any));
    add(frameItem("Save1", M::File, "&Save", "Ctrl+S", "Save file to disk",
                  [this] {
                      if (TMDIChild* c = activeDocument()) docs_->SaveDocument(c, true);
                  },
                  true, any))
        .also(buttonPlace("SaveBtn", "Save|Save file to disk", NeedsDocument | NeedsModified));
    add(frameItem("SaveAs1", M::File, "Save &As...", "", "Save file under a new name",
                  [this] {
                      if (TMDIChild* c = activeDocument()) docs_->SaveAs(c);
                  },
                  false, any));
    add(frameItem("SaveAll1", M::File, "Save A&ll", "", "Save all modified documents", [this] { docs_->saveAll(); },
                  false, any));
    // File > Encoding: the active document's file encoding; another one
    // converts it.
    for (tv::FileEncoding e : {tv::FileEncoding::Utf8, tv::FileEncoding::Utf8Bom, tv::FileEncoding::Windows1252}) {
        Command& c = add(frameItem(("Encoding" + std::to_string(static_cast<int>(e))).c_str(), M::FileEncoding,
                                   tv::encodingName(e), "", "",
                                   [this, e] {
                                       if (TMDIChild* d = activeDocument()) docs_->convert(d, e);
                                   },
                                   false, NeedsDocument));
        c.checked = [this, e] {
            TMDIChild* d = activeDocument();
            return d && d->document().file.encoding == e;
        };
    }
    add(frameItem("Print1", M::File, "Print...", "Ctrl+Shift+P", "Print the current document", [this] { Print1Click(); },
                  true, any));
    add(frameItem("PrintSetup1", M::File, "Print Setup...", "", "Choose and set up the printer",
                  [this] { PrintSetup1Click(); }));
    add(frameItem("Exit1", M::File, "E&xit", "Ctrl+Q", "Exit Taviron", [this] { ExitClick(); }, true));

    add(frameItem("NewProject1", M::Project, "&New...", "", "New project", [this] { NewProject1Click(); }));
    add(frameItem("OpenProject1", M::Project, "&Open...", "", "Open project", [this] { OpenProject1Click(); }));
    add(frameItem("SaveProject1", M::Project, "&Save", "", "Save project", [this] { projectPane()->save(); }));
    add(frameItem("SaveProjectAs1", M::Project, "Save &As...", "", "Save project as...", [this] { projectPane()->saveAs(); }));
    add(frameItem("AddFiles1", M::Project, "&Add files...", "", "Add files to selected folder",
                  [this] { projectPane()->AddFiles1Click(); }, true, NeedsProjectFolder));
    add(frameItem("AddCurrentFile1", M::Project, "&Add current file", "", "Add current file to selected folder",
                  [this] { AddCurrentFile1Click(); }, false, NeedsProjectFolder | NeedsDocument));
    add(frameItem("CheckLinks1", M::Project, "Check &Links...", "",
                  "Check the links of the project's files, or of a folder", [this] { CheckLinks1Click(); }, true));
    add(frameItem("CloseProject1", M::Project, "&Close", "", "Close project", [this] { CloseProject1Click(); }, true));

    add(frameItem("FrameFind1", M::FrameEdit, "&Find...", "Ctrl+F", "Search for text", [this] { searchBox()->showBox(); },
                  false, NeedsNoDocument));
    return t;
}

std::vector<Command> TMainForm::frameCommandsAfter() {
    std::vector<Command> t;
    auto add = [&t](Command c) -> Command& { return t.emplace_back(std::move(c)); };
    const unsigned any = NeedsAnyDocument;
    auto option = [&add](const char* id, const char* caption, const char* shortcut, const char* hint,
                         std::function<void()> run, std::function<bool()> checked, unsigned needs = 0) -> Command& {
        Command& c = add(frameItem(id, M::View, caption, shortcut, hint, std::move(run), false, needs));
        c.checked = std::move(checked);
        return c;
    };
    option("StatusBar1", "&Status Bar", "", "Show or hide the status bar",
           [this] { statusBar()->setVisible(!statusBar()->isVisible()); }, [this] { return statusBar()->isVisible(); });
    // Each pane's item.
    for (Command& c : paneCommands()) add(std::move(c));
    add(frameItem("ToggleFileList1", M::View, "Toggle File &List", "Shift+Tab",
                  "Switch the file list between the disk and the project", [this] { ToggleFileList1Click(); }));
    option("TabControl1", "T&ab Control", "", "Show or hide the tabs of the open documents",
           [this] { TabPanel->setVisible(TabPanel->isHidden()); }, [this] { return !TabPanel->isHidden(); });
    option("WordWrap1", "&Word Wrap", "", "Wrap long lines at the window's edge", [this] { WordWrap1Click(); },
           [this] {
               TMDIChild* c = activeDocument();
               return c ? c->view()->WordWrapOn() : wordWrap_;
           },
           any);
    option("LineNumbers1", "Line &Numbers", "", "Show the numbers of the lines",
           [this] {
               settings_.lineNumbers = !settings_.lineNumbers;
               for (TMDIChild* c : documents()) c->setLineNumbers(settings_.lineNumbers);
           },
           [this] { return settings_.lineNumbers; });
    option("Folding1", "&Folding", "", "Fold elements, comments, style sheets and scripts of several lines",
           [this] {
               settings_.folding = !settings_.folding;
               for (TMDIChild* c : documents()) c->foldMargin()->setOn(settings_.folding);
           },
           [this] { return settings_.folding; });
    for (const bool fold : {true, false}) {
        add(frameItem(fold ? "FoldAll1" : "UnfoldAll1", M::View, fold ? "Fold E&very Block" : "&Unfold Every Block", "",
                      fold ? "Fold every block of the document" : "Unfold every block of the document",
                      [this, fold] {
                          if (TMDIChild* c = activeDocument()) c->foldMargin()->foldAll(fold);
                      },
                      false, NeedsDocument))
            .available = [this] { return settings_.folding; };
    }
    add(frameItem("SpecialCharacters1", M::View, "S&pecial Characters...", "", "Extended character entities",
                  [this] { SpecialCharacters1Click(); }))
        .available = [this] { return CharBoxAllowed; };
    add(frameItem("Options1", M::View, "&Options...", "", "Changes the options for Taviron", [this] { Options1Click(); },
                  true));

    add(frameItem("NewView1", M::Window, "&New View", "", "Open another window on the active document",
                  [this] {
                      if (TMDIChild* c = activeDocument()) docs_->newView(c);
                  },
                  false, NeedsDocument));
    add(frameItem("Cascade1", M::Window, "&Cascade", "", "Arrange windows so that they overlap",
                  [this] { mdi_->cascadeSubWindows(); }, false, any));
    add(frameItem("TileHorizontal1", M::Window, "Tile &Horizontal", "", "Arrange windows one above the other",
                  [this] { TileWindows(true); }, false, any));
    add(frameItem("TileVertical1", M::Window, "Tile &Vertical", "", "Arrange windows side by side",
                  [this] { TileWindows(false); }, false, any));
    add(frameItem("ArrangeIcons1", M::Window, "&Arrange Icons", "", "Arrange minimised windows", [this] { ArrangeIcons(); },
                  false, any));

    add(frameItem("HelpTopics1", M::Help, "&Help Topics...", "F1", "Show the manual", [this] { HelpTopics1Click(); }));
    add(frameItem("About1", M::Help, "&About...", "", "Show the program's version and owner", [this] { About1Click(); },
                  true));

    // The search dialog's Find and Replace All across files.
    add(frameItem("FindInFiles1", M::None, "&Find", "", "Find the files that hold the text", [this] { FindInFiles(); }));
    add(frameItem("ReplaceInFiles1", M::None, "Replace &All", "", "Replace the text in files or open windows",
                  [this] { ReplaceInFiles(); }));
    add(frameItem("vListBtn", M::None, "File List", "", "File List|Show the file list, the project or neither",
                  [this] { vListBtnClick(); }));
    // The Insert Date button opens its drop-down.
    add(frameItem("DateBtn", M::None, "Insert Date", "", "Insert Date|Insert the current date", [] {}, false, any));
    return t;
}

void TMainForm::runCommand(const Command& c) {
    if (c.target == CommandTarget::Frame) {
        if (c.runFrame) c.runFrame();
    } else if (TMDIChild* d = activeDocument()) {
        c.run(*d);
    }
    // An option or a window may have changed: the items follow at once.
    UpdateMenuItems();
}

QAction* TMainForm::command(const std::string& id) const { return actions_->action(id); }

CommandState TMainForm::commandState() const {
    CommandState s;
    if (TMDIChild* c = activeDocument()) s = c->commandState();
    s.anyDocument = !documents().empty();
    s.clipboardText = clipboardHasText_;
    s.projectFolder = paneShown("FileList") && FilePanel->page() == TFilePane::ProjectPage &&
                      projectPane()->selectedFolder() != nullptr;
    return s;
}

void TMainForm::createCommands() {
    frameBefore_ = frameCommandsBefore();
    frameAfter_ = frameCommandsAfter();
    actions_ = new TCommandActions(this);
    const auto trigger = [this](const Command& c) { runCommand(c); };
    const std::vector<CommandMenu> notContext = {
        M::File, M::FileNew, M::FileEncoding, M::Project, M::FrameEdit, M::Edit, M::Text, M::Style, M::StyleLogical,
        M::Format, M::FormatStructure, M::FormatHeading, M::Elements, M::ElementsJava, M::ElementsTable, M::ElementsForm,
        M::ElementsFrame, M::Lists, M::View, M::Window, M::Help, M::Date, M::Header, M::None};
    actions_->add(frameBefore_, trigger, notContext);
    actions_->add(documentCommands(), trigger, notContext);
    actions_->add(frameAfter_, trigger, notContext);

    // The menus, in menu-bar order; each sub-menu where its first item is.
    std::map<CommandMenu, QMenu*> menus;
    std::function<QMenu*(CommandMenu)> makeMenu = [&](CommandMenu m) -> QMenu* {
        const CommandMenuInfo& info = commandMenu(m);
        auto* menu = new QMenu(QString::fromUtf8(info.caption), this);
        menu->setObjectName(QString::fromLatin1(info.objectName));
        if (*info.hint) menu->menuAction()->setStatusTip(QString::fromLatin1(info.hint));
        menus[m] = menu;
        actions_->fill(menu, m, makeMenu);
        // Before a menu opens, its items follow the state of the moment.
        connect(menu, &QMenu::aboutToShow, this, &TMainForm::UpdateMenuItems);
        return menu;
    };
    QMenuBar* bar = menuBar();
    for (const CommandMenuInfo& info : commandMenus()) {
        if (info.parent != M::None || info.menu == M::Date || info.menu == M::Header || info.menu == M::Context) continue;
        QMenu* menu = makeMenu(info.menu);
        bar->addMenu(menu);
        if (info.menu >= M::Edit && info.menu <= M::Lists) documentMenus.push_back(menu);
    }
    DateMenu = makeMenu(M::Date);
    HeaderMenu = makeMenu(M::Header);
    File1 = menus[M::File];
    New1 = menus[M::FileNew];
    Encoding1 = menus[M::FileEncoding];
    Project1 = menus[M::Project];
    FrameEdit1 = menus[M::FrameEdit];
    View1 = menus[M::View];
    Window1 = menus[M::Window];
    Help1 = menus[M::Help];
    // View > Toolbars lists the tool bars; the Window menu ends with the
    // open windows; the Insert Date drop-down shows the dates as they are.
    Toolbars1 = new QMenu(QStringLiteral("&Toolbars"), View1);
    View1->insertMenu(View1->actions().value(0), Toolbars1);
    connect(Window1, &QMenu::aboutToShow, this, &TMainForm::Window1Popup);
    connect(View1, &QMenu::triggered, this, &TMainForm::noteSettingsChanged);
    connect(DateMenu, &QMenu::aboutToShow, this, [this] {
        const tv::MacroContext context = macroContext();
        for (int kind = 1; kind <= 6; ++kind)
            command("Date" + std::to_string(kind))
                ->setText(QStringLiteral("&%1  ").arg(kind) + fromDocument(tv::MacroDate(kind, context)));
    });

    // The actions the rest of the frame (and its tests) name.
    for (auto [member, name] : std::initializer_list<std::pair<QAction**, const char*>>{
             {&Blank1, "Blank1"}, {&FromDialog1, "FromDialog1"}, {&FromTemplate1, "FromTemplate1"}, {&Open1, "Open1"},
             {&Close1, "Close1"}, {&Save1, "Save1"}, {&SaveAs1, "SaveAs1"}, {&SaveAll1, "SaveAll1"},
             {&Preview1, "Preview1"}, {&Print1, "Print1"}, {&PrintSetup1, "PrintSetup1"}, {&Exit1, "Exit1"},
             {&NewProject1, "NewProject1"}, {&OpenProject1, "OpenProject1"}, {&SaveProject1, "SaveProject1"},
             {&SaveProjectAs1, "SaveProjectAs1"}, {&AddFiles1, "AddFiles1"}, {&AddCurrentFile1, "AddCurrentFile1"},
             {&CloseProject1, "CloseProject1"}, {&FrameFind1, "FrameFind1"}, {&StatusBar1, "StatusBar1"},
             {&FileList1, "FileList1"}, {&ToggleFileList1, "ToggleFileList1"}, {&TabControl1, "TabControl1"},
             {&WordWrap1, "WordWrap1"}, {&LineNumbers1, "LineNumbers1"}, {&SpecialCharacters1, "SpecialCharacters1"},
             {&Options1, "Options1"}, {&NewView1, "NewView1"}, {&Cascade1, "Cascade1"},
             {&TileHorizontal1, "TileHorizontal1"}, {&TileVertical1, "TileVertical1"}, {&ArrangeIcons1, "ArrangeIcons1"},
             {&HelpTopics1, "HelpTopics1"}, {&About1, "About1"}, {&NewBtn, "NewBtn"}, {&OpenBtn, "OpenBtn"},
             {&SaveBtn, "SaveBtn"}, {&PrevBtn, "PrevBtn"}, {&vListBtn, "vListBtn"}, {&DateBtn, "DateBtn"},
             {&CutBtn, "CutBtn"}, {&CopyBtn, "CopyBtn"}, {&PasteBtn, "PasteBtn"}, {&UndoBtn, "UndoBtn"},
             {&RedoBtn, "RepeatTag1"}, {&SpellBtn, "SpellBtn"}, {&UpdateBtn, "UpdateBtn"}, {&ColorBtn, "Color1"}})
        *member = command(name);
}

void TMainForm::UpdateMenuItems() {
    if (destroying_) return;  // the windows and palettes going with the frame say so
    SelectActiveTab();
    TMDIChild* c = activeDocument();
    // The document menus stand in the menu bar while a document is active;
    // the frame's own Edit menu, with its Find, otherwise. Menus are taken
    // out rather than hidden, since a hidden one still answers its Alt key.
    QMenuBar* bar = menuBar();
    const bool documentMenusIn = bar->actions().contains(documentMenus.front()->menuAction());
    if (c && !documentMenusIn) {
        bar->removeAction(FrameEdit1->menuAction());
        for (QMenu* m : documentMenus) bar->insertMenu(View1->menuAction(), m);
    } else if (!c && documentMenusIn) {
        for (QMenu* m : documentMenus) bar->removeAction(m->menuAction());
        bar->insertMenu(View1->menuAction(), FrameEdit1);
    }
    actions_->enable(commandState());
    if (c) {
        panel0_->setText(fromStd(tv::caretPositionText(c->view()->CaretLine(), c->view()->CaretColumn())));
        encodingPanel_->setText(QString::fromLatin1(tv::encodingName(c->document().file.encoding)));
    } else {
        panel0_->clear();
        encodingPanel_->clear();
    }
}

void TMainForm::Window1Popup() {
    // Drop the old window list and build it anew.
    bool inList = false;
    for (QAction* a : Window1->actions()) {
        if (a == windowListSeparator_) inList = true;
        if (inList) {
            Window1->removeAction(a);
            if (a != windowListSeparator_) a->deleteLater();
        }
    }
    const auto subs = mdi_->subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty()) return;
    if (!windowListSeparator_) windowListSeparator_ = new QAction(this), windowListSeparator_->setSeparator(true);
    Window1->addAction(windowListSeparator_);
    int n = 1;
    for (QMdiSubWindow* w : subs) {
        QString caption = w->windowTitle();
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* a = Window1->addAction(n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(caption) : caption);
        a->setCheckable(true);
        a->setChecked(w == mdi_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w] {
            if (w->isMinimized()) w->showNormal();
            mdi_->setActiveSubWindow(w);
        });
        ++n;
    }
}

void TMainForm::TileWindows(bool horizontal) {
    std::vector<QMdiSubWindow*> tiles;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::StackingOrder))
        if (!w->isMinimized() && w->isVisible()) tiles.push_back(w);
    if (tiles.empty()) return;
    const QRect area = mdi_->viewport()->rect();
    const int n = static_cast<int>(tiles.size());
    for (int i = 0; i < n; ++i) {
        tiles[i]->showNormal();
        if (horizontal) {
            const int h = area.height() / n;
            tiles[i]->setGeometry(0, i * h, area.width(), i == n - 1 ? area.height() - i * h : h);
        } else {
            const int w = area.width() / n;
            tiles[i]->setGeometry(i * w, 0, i == n - 1 ? area.width() - i * w : w, area.height());
        }
    }
}

void TMainForm::ArrangeIcons() {
    const QRect area = mdi_->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized()) continue;
        const QSize s = w->size();
        if (x + s.width() > area.width() && x > 0) {
            x = 0;
            y -= s.height();
        }
        w->move(x, y - s.height() + 1);
        x += s.width();
    }
}
