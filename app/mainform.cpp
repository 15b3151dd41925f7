#include "app/mainform.h"

#include "app/filepaneui.h"

#include "usertags/customtagsui.h"
#include "usertags/newdocbox.h"
#include "widgets/historycombo.h"

#include <QLineEdit>

#include "app/aboutbox.h"
#include "app/bounds.h"
#include "app/documents.h"
#include "app/journal.h"
#include "app/browsers.h"
#include "app/helpbox.h"
#include "app/settingsbox.h"
#include "app/userlocale.h"
#include "base/docfile.h"
#include "base/frametext.h"
#include "app/mrufilelist.h"
#include "base/paths.h"
#include "base/prompter.h"
#include "base/settings.h"
#include "window/commands.h"
#include "base/doctext.h"
#include "window/mdichild.h"
#include "spell/addictspell.h"
#include "tools/searchbox.h"
#include "usertags/charbox.h"
#include "widgets/filedrag.h"
#include "widgets/tabset.h"

#include <Qsci/qsciprinter.h>

#include <QAction>
#include <QActionGroup>
#include <algorithm>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QToolButton>
#include <QVBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSplitter>
#include <QScreen>
#include <QtMath>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

// The pictures and the manual are resources of the library.
static void initResources() { Q_INIT_RESOURCE(taviron); }

namespace {

const QString kCaption = QStringLiteral("Taviron");


// The tool bars: object name and caption, in the order of View > Toolbars.
struct ToolBarInfo {
    const char* name;
    const char* caption;
    const char* menuCaption;
    bool separatorBefore;
};
constexpr ToolBarInfo kToolBars[] = {
    {"MainTbar", "Main", "Main &Tool Bar", false},
    {"CustomTbar", "Custom", "&Custom Bar", false},
    {"HTMLTbar", "Common HTML", "Common &HTML", false},
    {"TableTbar", "Tables", "T&ables", true},
    {"ElementTbar", "Elements", "&Elements", false},
    {"TextTbar", "Style", "&Style", false},
    {"FormatTbar", "Format", "&Format", false},
    {"ListTbar", "Lists", "&Lists", false},
    {"FormTbar", "Forms", "F&orms", false},
};

} // namespace

TMainForm::TMainForm(QStringList args, QString cwd, QWidget* parent)
    : QMainWindow(parent), args_(std::move(args)), cwd_(std::move(cwd)) {
    initResources();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kCaption);
    setWindowIcon(applicationIcon());
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("ClientArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &TMainForm::subWindowActivated);
    docs_ = new TDocumentManager(*this, mdi_, this);
    connect(docs_, &TDocumentManager::documentCreated, this, &TMainForm::documentCreated);
    connect(docs_, &TDocumentManager::statusMessage, this, &TMainForm::ShowApplicationHint);
    journal_ = new TRecoveryJournal(this);
    connect(docs_, &TDocumentManager::documentCreated, journal_, &TRecoveryJournal::watch);
    connect(journal_, &TRecoveryJournal::failed, this, [this](const QString& message) {
        ShowApplicationHint(QStringLiteral("The recovery journal cannot be written: ") + message);
    });
    settingsTimer_ = new QTimer(this);
    settingsTimer_->setSingleShot(true);
    settingsTimer_->setInterval(1000);
    connect(settingsTimer_, &QTimer::timeout, this, &TMainForm::writeSettingsNow);
    // Paste is enabled by what the clipboard holds; it is asked when that
    // changes, not at every move of the caret.
    clipboardHasText_ = TvokRich::ClipboardHasText();
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        clipboardHasText_ = TvokRich::ClipboardHasText();
        UpdateMenuItems();
    });

    // The tab set lies under the documents, above the status bar.
    TabPanel = new QWidget(this);
    TabPanel->setObjectName(QStringLiteral("TabPanel"));
    auto* tabLayout = new QVBoxLayout(TabPanel);
    tabLayout->setContentsMargins(0, 0, 0, 0);
    TabSet1 = new TTabSet(TabPanel);
    TabSet1->isModified = [this](int i) {
        auto* c = TabSet1->tabData(i).value<TMDIChild*>();
        return c && c->document().modified();
    };
    tabLayout->addWidget(TabSet1);
    connect(TabSet1, &QTabBar::currentChanged, this, &TMainForm::TabSet1Change);
    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    centralLayout->addWidget(mdi_, 1);
    centralLayout->addWidget(TabPanel);
    // The file pane at the left, beside the documents.
    project_ = std::make_unique<tv::TProject>();
    createFilePane();
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(FilePanel);
    Splitter1->addWidget(central);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    setCentralWidget(Splitter1);

    // Status bar: panel 0 the caret position, panel 1 the long hint.
    panel0_ = new QLabel(this);
    panel0_->setObjectName(QStringLiteral("StatusPanel0"));
    panel0_->setAlignment(Qt::AlignCenter);
    panel0_->setFrameShape(QFrame::Panel);
    panel0_->setFrameShadow(QFrame::Sunken);
    // Its text changes with every key: a label of a fixed size is repainted
    // without laying out the status bar again.
    panel0_->setText(QStringLiteral("00000: 000"));
    panel0_->setFixedSize(80, panel0_->sizeHint().height());
    panel0_->clear();
    // The message area: hints of menu items, buttons and list rows.
    panel1_ = new QLabel(this);
    panel1_->setObjectName(QStringLiteral("StatusPanel1"));
    panel1_->setFrameShape(QFrame::Panel);
    panel1_->setFrameShadow(QFrame::Sunken);
    panel1_->setMinimumWidth(50);
    // The active document's file encoding.
    encodingPanel_ = new QLabel(this);
    encodingPanel_->setObjectName(QStringLiteral("StatusPanelEncoding"));
    encodingPanel_->setAlignment(Qt::AlignCenter);
    encodingPanel_->setFrameShape(QFrame::Panel);
    encodingPanel_->setFrameShadow(QFrame::Sunken);
    encodingPanel_->setMinimumWidth(110);
    statusBar()->addWidget(panel0_);
    statusBar()->addWidget(encodingPanel_);
    statusBar()->addWidget(panel1_, 1);
    statusBar()->setSizeGripEnabled(true);

    createCommands();
    createToolBars();
    createMenus();
    createCustomTags();

    MRUFileList1 = new TMRUFileList(this);
    MRUFileList1->FileMenu = File1;
    MRUFileList1->PopupMenu = OpenDropDown;
    MRUFileList1->OnMRUItemClick = [this](const QString& name) {
        if (name.isEmpty()) return;
        try {
            OpenDocument(name);
        } catch (const tv::FileError& e) {
            showError(fromStd(e.what()));
        }
    };

    // The options are read once, here, and written once, when the frame goes.
    {
        const auto store = tv::openSettingsStore();
        MRUFileList1->LoadFromRegistry(*store);
        settings_ = tv::ReadSettings(*store);
    }
    applySettings();
    if (settings_.browsers.empty()) {
        settings_.browsers = tv::FindBrowsers(qEnvironmentVariable("PATH").toStdString());
        if (!settings_.browsers.empty()) settings_.settingsChanged = true;  // so the list is kept
    }
    BuildBrowserMenu();
    if (!MRUFileList1->items().isEmpty())
        openDir_ = fromStd(tv::folderOf(toStd(MRUFileList1->items().first())));
    Spell1 = new TAddictSpell(this);
    FileDrag1 = new TFileDrag(this);
    FileDrag1->OnDrop = [this] { FileDrop(FileDrag1->NameWithPath); };
    FileDrag1->setEnableDrop(true);
    UpdateMenuItems();
}

TMainForm::~TMainForm() {
    // The document windows go with the frame; nothing is to follow them now.
    disconnect(mdi_, nullptr, this, nullptr);
    disconnect(TabSet1, nullptr, this, nullptr);
    FormDestroy();
}

void TMainForm::applySettings() {
    // The frame opens on the screen its stored place names, and on it.
    const QScreen* screen = QGuiApplication::screenAt(QPoint(settings_.left, settings_.top));
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    std::optional<tv::Bounds> stored;
    if (settings_.boundsStored) stored = tv::Bounds{settings_.left, settings_.top, settings_.width, settings_.height};
    const tv::Bounds b = tv::frameBounds(stored, {area.x(), area.y(), area.width(), area.height()});
    move(static_cast<int>(b.left), static_cast<int>(b.top));
    resize(static_cast<int>(b.width), static_cast<int>(b.height));
    if (settings_.maximized()) setWindowState(windowState() | Qt::WindowMaximized);
    applyToolBarLayouts();
    FilePanel->setFolder(settings_.currentDir.empty() ? QDir::homePath() : fromStd(settings_.currentDir));
    FilePanel->setFilterIndex(settings_.filterIndex);
    // Stored grab bars stay within the frame.
    FilePanel->setFolderAreaHeight(tv::keepWithin(settings_.sizer1, 20, b.height, 120));
    FilePanel->setTreeHeight(tv::keepWithin(settings_.sizer3, 20, b.height, 120));
    FilePanel->Notebook1->setCurrentIndex(settings_.nbook == 1 ? 1 : 0);
    const int pane = tv::keepWithin(settings_.sizer2, 40, b.width, 100);
    Splitter1->setSizes({pane, static_cast<int>(std::max<long long>(b.width - pane, 100))});
    setFilePaneVisible(settings_.fileList);
    statusBar()->setVisible(settings_.statusBar);
    StatusBar1->setChecked(settings_.statusBar);
    WordWrap1->setChecked(settings_.wordWrap);
    LineNumbers1->setChecked(settings_.lineNumbers);
    TabPanel->setVisible(settings_.tabControl);
    TabControl1->setChecked(settings_.tabControl);
}

namespace {
Qt::ToolBarArea areaOf(const std::string& dock) {
    if (dock == "DockBottom") return Qt::BottomToolBarArea;
    if (dock == "DockLeft") return Qt::LeftToolBarArea;
    if (dock == "DockRight") return Qt::RightToolBarArea;
    return Qt::TopToolBarArea;  // "Docktop", and floating ones, which dock at the top
}
const char* dockName(Qt::ToolBarArea a) {
    switch (a) {
    case Qt::BottomToolBarArea: return "DockBottom";
    case Qt::LeftToolBarArea: return "DockLeft";
    case Qt::RightToolBarArea: return "DockRight";
    default: return "Docktop";
    }
}
} // namespace

void TMainForm::applyToolBarLayouts() {
    // Each dock takes its tool bars row by row, and within a row by position.
    std::vector<int> order(toolBars.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        const auto &la = settings_.toolBars[a], &lb = settings_.toolBars[b];
        if (areaOf(la.dockedTo) != areaOf(lb.dockedTo)) return areaOf(la.dockedTo) < areaOf(lb.dockedTo);
        if (la.dockRow != lb.dockRow) return la.dockRow < lb.dockRow;
        return la.dockPos < lb.dockPos;
    });
    const tv::ToolBarLayout* previous = nullptr;
    for (int i : order) {
        const tv::ToolBarLayout& l = settings_.toolBars[i];
        QToolBar* bar = toolBars[i];
        const Qt::ToolBarArea area = areaOf(l.dockedTo);
        if (previous && areaOf(previous->dockedTo) == area && previous->dockRow != l.dockRow) addToolBarBreak(area);
        addToolBar(area, bar);
        bar->setVisible(l.visible);
        previous = &l;
    }
    // Floating tool bars can only be put back by the window system's own
    // record of them, written with the layouts above.
    const bool floating = std::any_of(settings_.toolBars.begin(), settings_.toolBars.end(),
                                      [](const tv::ToolBarLayout& l) { return l.dockedTo == "nil"; });
    if (floating && !settings_.toolBarState.empty())
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(settings_.toolBarState)));
}

void TMainForm::collectToolBarLayouts() {
    // Once the frame is closed its floating tool bars are hidden with it:
    // the record taken as it closed holds.
    if (!isVisible()) return;
    settings_.toolBarState = saveState().toBase64().toStdString();
    for (std::size_t i = 0; i < toolBars.size(); ++i) {
        QToolBar* bar = toolBars[i];
        tv::ToolBarLayout& l = settings_.toolBars[i];
        l.visible = !bar->isHidden();
        const Qt::ToolBarArea area = toolBarArea(bar);
        const bool vertical = area == Qt::LeftToolBarArea || area == Qt::RightToolBarArea;
        if (bar->isFloating()) {
            const QRect g = bar->geometry();
            l.dockedTo = "nil";
            l.floatLeft = g.left();
            l.floatTop = g.top();
            l.floatRight = g.right() + 1;
            l.floatBottom = g.bottom() + 1;
            l.floatRightX = g.right() + 1;
            continue;
        }
        l.dockedTo = dockName(area);
        if (!l.visible) continue;  // a hidden bar has no place of its own; it keeps the stored one
        // Rows are the distinct offsets across the dock of its shown tool bars.
        std::vector<int> rows;
        for (QToolBar* other : toolBars)
            if (!other->isHidden() && !other->isFloating() && toolBarArea(other) == area)
                rows.push_back(vertical ? other->x() : other->y());
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        const int across = vertical ? bar->x() : bar->y();
        l.dockRow = static_cast<int>(std::lower_bound(rows.begin(), rows.end(), across) - rows.begin());
        l.dockPos = vertical ? bar->y() : bar->x();
    }
}

void TMainForm::createCustomTags() {
    QToolBar* bar = findChild<QToolBar*>(QStringLiteral("CustomTbar"));
    const std::string folder = tv::programFolder();
    for (int i = 0; i < 4; ++i) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("TagPopup%1").arg(i + 1));
        auto* set = new TCustomTags(i + 1, menu, this);
        Tags[static_cast<std::size_t>(i)] = set;
        auto* button = new QToolButton(bar);
        button->setObjectName(QStringLiteral("CustB%1").arg(i + 1));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolTip(QStringLiteral("Custom Tags - right click to customize"));
        button->setStatusTip(QStringLiteral("Custom Tags - right click to customize"));
        // A right click opens the manager instead of the menu.
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this, [this, i] { Customize1Click(i + 1); });
        bar->addWidget(button);
        CustB[static_cast<std::size_t>(i)] = button;
        connect(set, &TCustomTags::tagItemClicked, this,
                [this](TCustomTags*, const std::string& start, const std::string& close) { Tags2TagItemClick(start, close); });
        connect(set, &TCustomTags::titleChanged, this, &TMainForm::TitleChange1);
        set->setFilePath(folder);
        TitleChange1(set);
    }
}

void TMainForm::TitleChange1(TCustomTags* set) {
    if (!set || set->Tag < 1 || set->Tag > 4) return;
    CustB[static_cast<std::size_t>(set->Tag - 1)]->setText(fromDocument(set->set.title));
}

void TMainForm::Customize1Click(int number) {
    if (number < 1 || number > 4) return;
    const QFont font(fromStd(settings_.fontName), settings_.fontSize);
    TCustomBox box(*Tags[static_cast<std::size_t>(number - 1)], font, this);
    prompter().run(box);
    box.applyTitle();
}

void TMainForm::Tags2TagItemClick(const std::string& start, const std::string& close) {
    TMDIChild* child = activeDocument();
    if (!child) return;
    const tv::MacroContext context = macroContext();
    auto ask = [this](const std::string& prompt) -> std::optional<std::string> {
        const auto answer = prompter().input(this, QStringLiteral("Input"), fromDocument(prompt), QString());
        if (!answer) return std::nullopt;
        return toDocument(*answer);
    };
    std::optional<std::string> first, second;
    try {
        first = tv::ExpandTagText(start, context, ask);
        if (first) second = tv::ExpandTagText(close, context, ask);
    } catch (const tv::MacroError& e) {
        prompter().message(this, QStringLiteral("Taviron"), fromStd(e.what()));
        return;
    }
    if (!first || !second) return;  // a prompt was cancelled: nothing goes in
    repeatTags() = {*first, *second};
    child->Markup();
}

void TMainForm::FormDestroy() {
    settingsTimer_->stop();
    writeSettingsNow();
}

void TMainForm::noteSettingsChanged() {
    if (shown_) settingsTimer_->start();
}

void TMainForm::writeSettingsNow() {
    collectToolBarLayouts();
    if (isMaximized()) {
        settings_.windowState = "Maximized";
    } else {
        settings_.windowState = "Normal";
        settings_.top = pos().y();
        settings_.left = pos().x();
        settings_.height = height();
        settings_.width = width();
    }
    settings_.wordWrap = WordWrap1->isChecked();
    settings_.statusBar = StatusBar1->isChecked();
    settings_.tabControl = TabControl1->isChecked();
    settings_.fileList = FileList1->isChecked();
    if (!FilePanel->isHidden() && FilePanel->width() > 0) settings_.sizer2 = FilePanel->width();
    if (FilePanel->folderAreaHeight() > 0) settings_.sizer1 = FilePanel->folderAreaHeight();
    if (FilePanel->treeHeight() > 0) settings_.sizer3 = FilePanel->treeHeight();
    settings_.nbook = FilePanel->Notebook1->currentIndex();
    settings_.currentDir = toStd(FilePanel->folder());
    settings_.filterIndex = FilePanel->filterIndex();
    try {
        const auto store = tv::openSettingsStore();
        tv::WriteSettings(*store, settings_);
        MRUFileList1->SaveToRegistry(*store);
        store->flush();
    } catch (const tv::FileError&) {
        // Options are kept as well as the disk allows; nobody is to be
        // troubled about them in the middle of work or at the end.
    }
}

QAction* TMainForm::addItem(QMenu* menu, const char* caption, const QKeySequence& key, const char* hint) {
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    if (!key.isEmpty()) a->setShortcut(key);
    if (hint) a->setStatusTip(fromStd(tv::longHint(hint)));
    return a;
}

QAction* TMainForm::addButton(const char* name, const char* hint, const char* themeIcon, int standardIcon) {
    auto* a = new QAction(this);
    a->setObjectName(QString::fromLatin1(name));
    a->setText(fromStd(tv::shortHint(hint)));
    a->setToolTip(fromStd(tv::shortHint(hint)));
    a->setStatusTip(fromStd(tv::longHint(hint)));
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(themeIcon));
    if (icon.isNull() && standardIcon >= 0)
        icon = style()->standardIcon(static_cast<QStyle::StandardPixmap>(standardIcon));
    a->setIcon(icon);
    MainTbar->addAction(a);
    return a;
}

void TMainForm::createToolBars() {
    for (const ToolBarInfo& info : kToolBars) {
        auto* bar = new QToolBar(QString::fromLatin1(info.caption), this);
        bar->setObjectName(QString::fromLatin1(info.name));
        addToolBar(Qt::TopToolBarArea, bar);
        toolBars.push_back(bar);
    }
    MainTbar = toolBars.front();
    NewBtn = addButton("NewBtn", "New|Create a new document", "document-new", QStyle::SP_FileIcon);
    OpenBtn = addButton("OpenBtn", "Open|Open a file for editing", "document-open", QStyle::SP_DialogOpenButton);
    OpenDropDown = new QMenu(this);
    OpenDropDown->setObjectName(QStringLiteral("OpenDropDown"));
    if (auto* b = qobject_cast<QToolButton*>(MainTbar->widgetForAction(OpenBtn))) {
        b->setMenu(OpenDropDown);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    }
    SaveBtn = addButton("SaveBtn", "Save|Save file to disk", "document-save", QStyle::SP_DialogSaveButton);
    PrevBtn = addButton("PrevBtn", "Preview", "document-print-preview", QStyle::SP_ComputerIcon);
    vListBtn = addButton("vListBtn", "File List|Show the file list, the project or neither", "view-list-tree",
                         QStyle::SP_FileDialogListView);
    connect(vListBtn, &QAction::triggered, this, &TMainForm::vListBtnClick);
    BrowserMenu = new QMenu(this);
    BrowserMenu->setObjectName(QStringLiteral("BrowserMenu"));
    BrowserMenu->addAction(QStringLiteral("None"));
    MainTbar->addSeparator();
    CutBtn = commandButton("CutBtn", "edit-cut", -1);
    CopyBtn = commandButton("CopyBtn", "edit-copy", -1);
    PasteBtn = commandButton("PasteBtn", "edit-paste", -1);
    // Pictures drawn for Taviron where the desktop's theme has none.
    for (auto [button, picture] : {std::pair{CutBtn, ":/icons/cut.svg"}, std::pair{CopyBtn, ":/icons/copy.svg"},
                                   std::pair{PasteBtn, ":/icons/paste.svg"}})
        if (button->icon().isNull()) button->setIcon(QIcon(QString::fromLatin1(picture)));
    UndoBtn = commandButton("UndoBtn", "edit-undo", QStyle::SP_ArrowBack);
    RedoBtn = commandButton("RepeatTag1", "edit-redo", QStyle::SP_BrowserReload, "RedoBtn");
    SpellBtn = commandButton("SpellBtn", "tools-check-spelling", QStyle::SP_DialogApplyButton);
    UpdateBtn = commandButton("UpdateBtn", "view-refresh", QStyle::SP_BrowserReload);
    DateBtn = addButton("DateBtn", "Insert Date|Insert the current date", "x-office-calendar", QStyle::SP_FileDialogInfoView);
    DateMenu = new QMenu(this);
    DateMenu->setObjectName(QStringLiteral("DateMenu"));
    for (int kind = 1; kind <= 6; ++kind) {
        QAction* a = DateMenu->addAction(QString());
        a->setData(kind);
        connect(a, &QAction::triggered, this, [this, kind] {
            if (TMDIChild* c = activeDocument()) c->InsertDate(kind);
        });
    }
    // The captions show the dates as they are when the menu opens.
    connect(DateMenu, &QMenu::aboutToShow, this, [this] {
        const tv::MacroContext context = macroContext();
        for (QAction* a : DateMenu->actions())
            a->setText(QStringLiteral("&%1  ").arg(a->data().toInt()) +
                       fromDocument(tv::MacroDate(a->data().toInt(), context)));
    });
    if (auto* b = qobject_cast<QToolButton*>(MainTbar->widgetForAction(DateBtn))) {
        b->setMenu(DateMenu);
        b->setPopupMode(QToolButton::InstantPopup);
    }
    createTagButtons();

    connect(NewBtn, &QAction::triggered, this, &TMainForm::NewBtnClick);
    connect(OpenBtn, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(SaveBtn, &QAction::triggered, this, [this] {
        if (TMDIChild* c = activeDocument()) docs_->SaveDocument(c, true);
    });
}

void TMainForm::createCommands() {
    for (const DocumentCommand& c : documentCommands()) {
        auto* a = new QAction(QString::fromStdString(c.caption), this);
        a->setObjectName(QString::fromStdString(c.id));
        if (!c.shortcut.empty()) a->setShortcut(QKeySequence(QString::fromStdString(c.shortcut)));
        if (!c.hint.empty()) {
            a->setToolTip(fromStd(tv::shortHint(c.hint)));
            a->setStatusTip(fromStd(tv::longHint(c.hint)));
        }
        a->setIconVisibleInMenu(false);
        const DocumentCommand* command = &c;
        connect(a, &QAction::triggered, this, [this, command] { runCommand(*command); });
        commands_[c.id] = a;
    }
}

QAction* TMainForm::command(const std::string& id) const {
    const auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : it->second;
}

void TMainForm::runCommand(const DocumentCommand& c) {
    if (TMDIChild* d = activeDocument()) c.run(*d);
}

QAction* TMainForm::commandButton(const char* id, const char* themeIcon, int standardIcon, const char* buttonName) {
    QAction* a = command(id);
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(themeIcon));
    if (icon.isNull() && standardIcon >= 0)
        icon = style()->standardIcon(static_cast<QStyle::StandardPixmap>(standardIcon));
    a->setIcon(icon);
    MainTbar->addAction(a);
    if (QWidget* b = MainTbar->widgetForAction(a)) b->setObjectName(QString::fromLatin1(buttonName ? buttonName : id));
    return a;
}

void TMainForm::createDocumentMenus(QMenuBar* bar) {
    // Each menu and sub-menu is made where its first command stands.
    std::map<CommandMenu, QMenu*> menus;
    std::function<QMenu*(CommandMenu)> menuOf = [&](CommandMenu m) -> QMenu* {
        if (const auto it = menus.find(m); it != menus.end()) return it->second;
        const CommandMenuInfo& info = commandMenu(m);
        QMenu* menu = nullptr;
        if (info.parent == CommandMenu::None) {
            menu = bar->addMenu(QString::fromLatin1(info.caption));
            documentMenus.push_back(menu);
        } else {
            QMenu* parent = menuOf(info.parent);
            if (info.separatorBefore) parent->addSeparator();
            menu = parent->addMenu(QString::fromLatin1(info.caption));
        }
        menu->setObjectName(QString::fromLatin1(info.objectName));
        if (*info.hint) menu->menuAction()->setStatusTip(QString::fromLatin1(info.hint));
        menus[m] = menu;
        return menu;
    };
    for (const DocumentCommand& c : documentCommands()) {
        if (c.menu == CommandMenu::None) continue;
        QMenu* menu = menuOf(c.menu);
        if (c.separatorBefore) menu->addSeparator();
        menu->addAction(command(c.id));
    }
}

void TMainForm::createMenus() {
    QMenuBar* bar = menuBar();
    File1 = bar->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    New1 = File1->addMenu(QStringLiteral("&New"));
    Blank1 = addItem(New1, "&Blank", QKeySequence(Qt::CTRL | Qt::Key_N), "Create a new blank document");
    FromDialog1 = addItem(New1, "From &Dialog...", {}, "Create a new document with the Taviron dialog box");
    FromTemplate1 = addItem(New1, "From &Template...", {}, "Create a new document from the selected template file");
    connect(FromDialog1, &QAction::triggered, this, &TMainForm::FromDialog1Click);
    connect(FromTemplate1, &QAction::triggered, this, &TMainForm::FromTemplate1Click);
    Open1 = addItem(File1, "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O), "Open a file for editing");
    Close1 = addItem(File1, "&Close", QKeySequence(Qt::CTRL | Qt::Key_W), "Close the current document");
    Preview1 = addItem(File1, "&Preview...", QKeySequence(Qt::Key_F12), "Open current file with associated application");
    connect(Preview1, &QAction::triggered, this, &TMainForm::Preview1Click);
    File1->addSeparator();
    Save1 = addItem(File1, "&Save", QKeySequence(Qt::CTRL | Qt::Key_S), "Save file to disk");
    SaveAs1 = addItem(File1, "Save &As...", {}, "Save file under a new name");
    SaveAll1 = addItem(File1, "Save A&ll", {}, "Save all modified documents");
    Encoding1 = File1->addMenu(QStringLiteral("&Encoding"));
    Encoding1->setObjectName(QStringLiteral("Encoding1"));
    Encoding1->menuAction()->setStatusTip(QStringLiteral("The file encoding of the document; choose another to convert it"));
    auto* encodings = new QActionGroup(Encoding1);
    for (tv::FileEncoding e : {tv::FileEncoding::Utf8, tv::FileEncoding::Utf8Bom, tv::FileEncoding::Windows1252}) {
        QAction* a = Encoding1->addAction(QString::fromLatin1(tv::encodingName(e)));
        a->setCheckable(true);
        a->setData(static_cast<int>(e));
        encodings->addAction(a);
        connect(a, &QAction::triggered, this, [this, e] {
            if (TMDIChild* c = activeDocument()) docs_->convert(c, e);
        });
    }
    connect(Encoding1, &QMenu::aboutToShow, this, [this] {
        TMDIChild* c = activeDocument();
        for (QAction* a : Encoding1->actions())
            a->setChecked(c && a->data().toInt() == static_cast<int>(c->document().file.encoding));
    });
    File1->addSeparator();
    Print1 = addItem(File1, "Print...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), "Print the current document");
    PrintSetup1 = addItem(File1, "Print Setup...", {}, "Choose and set up the printer");
    File1->addSeparator();
    Exit1 = addItem(File1, "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q), "Exit Taviron");
    connect(Blank1, &QAction::triggered, this, [this] { docs_->NewFile(); });
    connect(SaveAll1, &QAction::triggered, this, [this] { docs_->saveAll(); });
    connect(Print1, &QAction::triggered, this, &TMainForm::Print1Click);
    connect(PrintSetup1, &QAction::triggered, this, &TMainForm::PrintSetup1Click);
    connect(Open1, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(Close1, &QAction::triggered, this, &TMainForm::Close1Click);
    connect(Save1, &QAction::triggered, this, [this] {
        if (TMDIChild* c = activeDocument()) docs_->SaveDocument(c, true);
    });
    connect(SaveAs1, &QAction::triggered, this, [this] {
        if (TMDIChild* c = activeDocument()) docs_->SaveAs(c);
    });
    connect(Exit1, &QAction::triggered, this, &TMainForm::ExitClick);

    createProjectMenu();

    FrameEdit1 = bar->addMenu(QStringLiteral("&Edit"));
    FrameEdit1->setObjectName(QStringLiteral("FrameEdit1"));
    FrameFind1 = addItem(FrameEdit1, "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F), "Search for text");
    connect(FrameFind1, &QAction::triggered, this, [this] { searchBox()->showBox(); });
    createDocumentMenus(bar);

    View1 = bar->addMenu(QStringLiteral("&View"));
    View1->setObjectName(QStringLiteral("View1"));
    Toolbars1 = View1->addMenu(QStringLiteral("&Toolbars"));
    fillToolbarsMenu(Toolbars1);
    StatusBar1 = addItem(View1, "&Status Bar", {}, "Show or hide the status bar");
    StatusBar1->setCheckable(true);
    connect(StatusBar1, &QAction::triggered, this, [this] {
        statusBar()->setVisible(!statusBar()->isVisible());
        StatusBar1->setChecked(statusBar()->isVisible());
    });
    FileList1 = addItem(View1, "&File List", {}, "Show or hide the file list");
    FileList1->setCheckable(true);
    connect(FileList1, &QAction::triggered, this, [this] { setFilePaneVisible(FilePanel->isHidden()); });
    ToggleFileList1 = addItem(View1, "Toggle File &List", QKeySequence(Qt::SHIFT | Qt::Key_Tab),
                              "Switch the file list between the disk and the project");
    connect(ToggleFileList1, &QAction::triggered, this, &TMainForm::ToggleFileList1Click);
    TabControl1 = addItem(View1, "T&ab Control", {}, "Show or hide the tabs of the open documents");
    TabControl1->setCheckable(true);
    connect(TabControl1, &QAction::triggered, this, [this] {
        TabPanel->setVisible(TabPanel->isHidden());
        TabControl1->setChecked(!TabPanel->isHidden());
    });
    WordWrap1 = addItem(View1, "&Word Wrap", {}, "Wrap long lines at the window's edge");
    WordWrap1->setCheckable(true);
    connect(WordWrap1, &QAction::triggered, this, &TMainForm::WordWrap1Click);
    LineNumbers1 = addItem(View1, "Line &Numbers", {}, "Show the numbers of the lines");
    LineNumbers1->setCheckable(true);
    connect(LineNumbers1, &QAction::triggered, this, [this](bool on) {
        settings_.lineNumbers = on;
        for (TMDIChild* c : documents()) c->setLineNumbers(on);
    });
    SpecialCharacters1 = addItem(View1, "S&pecial Characters...", {}, "Extended character entities");
    connect(SpecialCharacters1, &QAction::triggered, this, &TMainForm::SpecialCharacters1Click);
    View1->addSeparator();
    Options1 = addItem(View1, "&Options...", {}, "Changes the options for Taviron");
    connect(Options1, &QAction::triggered, this, &TMainForm::Options1Click);
    connect(View1, &QMenu::aboutToShow, this, &TMainForm::View1Popup);
    connect(View1, &QMenu::triggered, this, &TMainForm::noteSettingsChanged);

    Window1 = bar->addMenu(QStringLiteral("&Window"));
    Window1->setObjectName(QStringLiteral("Window1"));
    NewView1 = addItem(Window1, "&New View", {}, "Open another window on the active document");
    connect(NewView1, &QAction::triggered, this, [this] {
        if (TMDIChild* c = activeDocument()) docs_->NewView(c);
    });
    Cascade1 = addItem(Window1, "&Cascade", {}, "Arrange windows so that they overlap");
    TileHorizontal1 = addItem(Window1, "Tile &Horizontal", {}, "Arrange windows one above the other");
    TileVertical1 = addItem(Window1, "Tile &Vertical", {}, "Arrange windows side by side");
    ArrangeIcons1 = addItem(Window1, "&Arrange Icons", {}, "Arrange minimised windows");
    connect(Cascade1, &QAction::triggered, mdi_, &QMdiArea::cascadeSubWindows);
    connect(TileHorizontal1, &QAction::triggered, this, [this] { TileWindows(true); });
    connect(TileVertical1, &QAction::triggered, this, [this] { TileWindows(false); });
    connect(ArrangeIcons1, &QAction::triggered, this, &TMainForm::ArrangeIcons);
    connect(Window1, &QMenu::aboutToShow, this, &TMainForm::Window1Popup);

    Help1 = bar->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    HelpTopics1 = addItem(Help1, "&Help Topics...", QKeySequence(Qt::Key_F1), "Show the manual");
    connect(HelpTopics1, &QAction::triggered, this, &TMainForm::HelpTopics1Click);
    Help1->addSeparator();
    About1 = addItem(Help1, "&About...", {}, "Show the program's version and owner");
    connect(About1, &QAction::triggered, this, &TMainForm::About1Click);
}

// --- documents -----------------------------------------------------------------

std::vector<TMDIChild*> TMainForm::documents() const { return docs_->documents(); }

TMDIChild* TMainForm::activeDocument() const { return docs_->activeDocument(); }

TMDIChild* TMainForm::OpenDocument(const QString& fileName) {
    const std::string name = toStd(fileName);
    if (tv::fileExists(name) && tv::lowerExtension(name) == ".vkp") {
        // A project file, by whatever route, becomes the open project.
        if (OpenProject(fileName)) showPanePage(1);
        return nullptr;
    }
    return docs_->OpenDocument(fileName);
}

void TMainForm::FromDialog1Click() {
    TNewDoc box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistories();
    const std::string text = tv::NewDocumentText(box.values());
    docs_->newFromText(text, static_cast<int>(tv::newDocumentCaret(text)));
}

void TMainForm::FromTemplate1Click() {
    TTemplateBox box(this);
    if (prompter().run(box) != QDialog::Accepted) return;
    box.rememberHistory();
    docs_->NewFile(box.templateName->currentText(), box.title->text());
}

bool TMainForm::saveDocument(TMDIChild* child, bool saveAsWhenUntitled) {
    return docs_->SaveDocument(child, saveAsWhenUntitled);
}

tv::PendingTexts& TMainForm::repeatTags() { return docs_->repeatTags(); }

void TMainForm::bringForward() {
    raise();
    activateWindow();
}

Tsearchbox* TMainForm::searchBox() {
    if (searchBox_) return searchBox_;
    searchBox_ = new Tsearchbox(this);
    searchBox_->projectFolders = [this] {
        std::vector<Tsearchbox::ProjectFolder> out;
        for (const tv::TProject* f : tv::ListProjectFolders(*project_)) out.push_back({fromStd(f->Title()), f->Level});
        return out;
    };
    searchBox_->onFind = [this] { runCommand(*documentCommand("FindNext1")); };
    searchBox_->onReplace = [this] { runCommand(*documentCommand("RaFagain")); };
    searchBox_->onReplaceAll = [this] {
        if (TMDIChild* c = activeDocument()) c->ReplaceAllInDocument();
    };
    searchBox_->onFindInFiles = [this] { FindInFiles(); };
    searchBox_->onReplaceInFiles = [this] { ReplaceInFiles(); };
    return searchBox_;
}

namespace {
// A tool button's picture: its short label drawn as the button shows text.
// It is drawn once for each pixel ratio a screen may ask for (1, 2 and every
// connected screen's own), so that it stays sharp on high-density screens.
QIcon labelIcon(const QString& label, int style, const QPalette& palette) {
    std::vector<qreal> ratios{1.0, 2.0};
    for (const QScreen* screen : QGuiApplication::screens())
        if (std::find(ratios.begin(), ratios.end(), screen->devicePixelRatio()) == ratios.end())
            ratios.push_back(screen->devicePixelRatio());
    QIcon icon;
    for (qreal ratio : ratios) {
        const int side = qCeil(24 * ratio);
        QPixmap pm(side, side);
        pm.setDevicePixelRatio(ratio);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::TextAntialiasing);
        QFont f = p.font();
        f.setPixelSize(label.size() > 2 ? 9 : 14);
        f.setBold(style & 1);
        f.setItalic(style & 2);
        f.setUnderline(style & 4);
        p.setFont(f);
        p.setPen(palette.color(QPalette::ButtonText));
        p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, label);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
} // namespace

void TMainForm::createTagButtons() {
    auto barOf = [this](TagBar b) -> QToolBar* {
        switch (b) {
        case TagBar::HTML: return toolBars[2];
        case TagBar::Tables: return toolBars[3];
        case TagBar::Elements: return toolBars[4];
        case TagBar::Style: return toolBars[5];
        case TagBar::Format: return toolBars[6];
        case TagBar::Lists: return toolBars[7];
        case TagBar::Forms: return toolBars[8];
        }
        return toolBars[2];
    };
    QToolBar* format = barOf(TagBar::Format);
    // The Header drop-down: a heading of each level, before the Format
    // bar's other buttons.
    auto* header = new QToolButton(format);
    header->setObjectName(QStringLiteral("HeaderBtn"));
    header->setIcon(labelIcon(QStringLiteral("H"), 1, palette()));
    header->setToolTip(QStringLiteral("Header"));
    header->setStatusTip(QStringLiteral("Insert a heading"));
    header->setPopupMode(QToolButton::InstantPopup);
    HeaderMenu = new QMenu(header);
    for (int level = 1; level <= 6; ++level) {
        QAction* a = HeaderMenu->addAction(QStringLiteral("Level &%1").arg(level));
        QAction* heading = command("H" + std::to_string(level));
        connect(a, &QAction::triggered, heading, &QAction::trigger);
    }
    HeaderMenu->addSeparator();
    QAction* headOptions = HeaderMenu->addAction(QStringLiteral("&Options..."));
    headOptions->setStatusTip(QStringLiteral("Select attributes for the heading"));
    connect(headOptions, &QAction::triggered, command("HeadOptions"), &QAction::trigger);
    header->setMenu(HeaderMenu);
    format->addWidget(header);
    for (const CommandButton& b : commandButtons()) {
        QToolBar* bar = barOf(b.bar);
        QAction* a = command(b.command);
        a->setIcon(labelIcon(QString::fromUtf8(b.label), b.style, palette()));
        bar->addAction(a);
        QWidget* button = bar->widgetForAction(a);
        button->setObjectName(QString::fromLatin1(b.command).replace(QLatin1Char('1'), QString()) +
                              QStringLiteral("Btn"));
        if (b.bar == TagBar::Lists && (std::string_view(b.command) == "UnorderedList1" ||
                                       std::string_view(b.command) == "OrderedList1")) {
            // The right mouse button on a list button opens the list options.
            button->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(button, &QWidget::customContextMenuRequested, command("Options2"), &QAction::trigger);
        }
    }
    ColorBtn = command("Color1");
}

bool TMainForm::otherViewStays(const TMDIChild* child) const {
    for (const TMDIChild* c : documents())
        if (c != child && &c->document() == &child->document() && !c->closeApproved) return true;
    return false;
}

void TMainForm::AddDocumentTab(TMDIChild* child) {
    const int i = TabSet1->addTab(child->tabText());
    TabSet1->setTabData(i, QVariant::fromValue(child));
}

int TMainForm::tabOf(TMDIChild* child) const {
    for (int i = 0; i < TabSet1->count(); ++i)
        if (TabSet1->tabData(i).value<TMDIChild*>() == child) return i;
    return -1;
}

void TMainForm::renameDocumentTab(TMDIChild* child) {
    const int i = tabOf(child);
    if (i >= 0) TabSet1->setTabText(i, child->tabText());
}

void TMainForm::SelectActiveTab() {
    const QSignalBlocker block(TabSet1);
    TMDIChild* c = activeDocument();
    if (!c) {
        TabSet1->setCurrentIndex(-1);
        return;
    }
    for (int i = 0; i < TabSet1->count(); ++i) {
        if (TabSet1->tabText(i).compare(c->FileName(), Qt::CaseInsensitive) == 0) {
            TabSet1->setCurrentIndex(i);
            return;
        }
    }
}

void TMainForm::TabSet1Change(int index) {
    auto* c = TabSet1->tabData(index).value<TMDIChild*>();
    if (!c) return;
    auto* sub = qobject_cast<QMdiSubWindow*>(c->parentWidget());
    if (!sub) return;
    if (sub->isMinimized()) sub->showNormal();
    mdi_->setActiveSubWindow(sub);
}

void TMainForm::BuildBrowserMenu() {
    const QList<QAction*> items = BrowserMenu->actions();
    for (int i = static_cast<int>(items.size()) - 1; i >= 1; --i) {
        BrowserMenu->removeAction(items[i]);
        items[i]->deleteLater();
    }
    QAction* first = BrowserMenu->actions().first();
    disconnect(first, nullptr, this, nullptr);
    disconnect(PrevBtn, &QAction::triggered, this, nullptr);
    auto* button = qobject_cast<QToolButton*>(MainTbar->widgetForAction(PrevBtn));
    const auto& list = settings_.browsers;
    if (list.empty()) {
        first->setText(QStringLiteral("None"));
        first->setEnabled(false);
        if (button) {
            button->setMenu(BrowserMenu);
            button->setPopupMode(QToolButton::InstantPopup);
        }
        return;
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        QAction* a = i == 0 ? first : BrowserMenu->addAction(QString());
        a->setText(fromStd(tv::browserCaption(list[i])));
        a->setEnabled(true);
        a->setData(static_cast<int>(i));
        connect(a, &QAction::triggered, this, [this, i] { BrowserItemClick(static_cast<int>(i)); });
    }
    if (list.size() == 1) {
        if (button) button->setMenu(nullptr);
        connect(PrevBtn, &QAction::triggered, this, [this] { BrowserItemClick(0); });
    } else if (button) {
        button->setMenu(BrowserMenu);
        button->setPopupMode(QToolButton::InstantPopup);
    }
}

void TMainForm::BrowserItemClick(int index) {
    if (index < 0 || index >= static_cast<int>(settings_.browsers.size())) return;
    settings_.browser1 = tv::browserPath(settings_.browsers[static_cast<std::size_t>(index)]);
    noteSettingsChanged();
    PreviewActive();
}

void TMainForm::Preview1Click() {
    const std::size_t n = settings_.browsers.size();
    if (n >= 2) BrowserMenu->popup(QCursor::pos());
    else if (n == 1) BrowserItemClick(0);
    else PreviewActive();  // the desktop's program for the file, or a word why not
}

void TMainForm::PreviewActive() {
    TMDIChild* c = activeDocument();
    if (!c) return;
    if (c->IsUntitled()) {
        QApplication::beep();
        prompter().message(this, kCaption, QStringLiteral("You must save your document before previewing."),
                           Prompter::Icon::Warning);
        return;
    }
    if (c->document().modified()) {
        if (settings_.autoSave) {
            if (!docs_->SaveDocument(c, true)) return;
        } else {
            const auto answer = prompter().ask(
                this, {kCaption, fromStd(tv::closePromptText(c->caption().toStdString())),
                       Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Yes, Prompter::Icon::Question});
            if (answer == Prompter::Cancel) return;
            if (answer == Prompter::Yes && !docs_->SaveDocument(c, true)) return;
        }
    }
    if (settings_.browser1.empty())
        settings_.browser1 = tv::findOnPath("xdg-open", qEnvironmentVariable("PATH").toStdString());
    PreviewFile(c->FileName());
}

void TMainForm::PreviewFile(const QString& fileName) {
    // Programs start with an argument list, never through a shell: quotes,
    // blanks and semicolons in a name stay part of the name. Where there is
    // no conversation with the two old browser families, they start like
    // any other browser.
    const QString program = fromStd(settings_.browser1);
    if (program.isEmpty()) {
        showError(QStringLiteral("There is no browser to preview with. Install one (or xdg-open) and add it "
                                 "in View > Options."));
        return;
    }
    const QStringList args = fileName.isEmpty() ? QStringList() : QStringList{fileName};
    if (!QProcess::startDetached(program, args))
        showError(QStringLiteral("The browser %1 could not be started.").arg(program));
}

void TMainForm::Options1Click() {
    TSettingsBox box(settings_, this);
    if (prompter().run(box) != QDialog::Accepted) return;
    std::string error;
    if (!box.apply(settings_, error)) {
        showError(fromStd(error));
        return;
    }
    BuildBrowserMenu();
    if (TMDIChild* c = activeDocument()) {
        c->ApplyEditorSettings();
        c->ColorDocument();
    }
    noteSettingsChanged();
}

void TMainForm::SpellBtnClick() {
    TMDIChild* c = activeDocument();
    if (!c || Spell1->busy) return;
    // The check leaves the other windows usable, so the document may be
    // closed while it runs: each part makes sure its editor is still there.
    QPointer<TvokRich> ed = c->view();
    const int s = ed->SelStart();
    const int l = ed->SelLength();
    Spell1->keptStart = s;
    Spell1->keptEnd = s + l;
    Spell1->AlwaysActive = true;
    Spell1->holdMessage = true;
    bool rest = true;
    if (l >= 1) {
        Spell1->CheckSelection(ed);
        Spell1->resetCount = false;
        rest = ed && !Spell1->cancelled &&
               prompter().ask(this, {kCaption,
                                     QStringLiteral("The selected text has been checked.\r\n\r\nCheck the remainder of the document?"),
                                     Prompter::Yes | Prompter::No, Prompter::Yes, Prompter::Icon::Question}) == Prompter::Yes;
    }
    if (rest && ed) {
        // The rest begins at the word that holds the end of the selection
        // (or the caret), so that no word is checked cut in two; the part
        // before it is checked last.
        const int from = tv::wordStartAt(ed->TextView(), std::min(s + l, ed->Length()));
        Spell1->CheckSection(ed, from, ed->Length());
        if (l < 1) Spell1->resetCount = false;
        Spell1->holdMessage = false;
        if (Spell1->cancelled || !ed) Spell1->FinishDialog();
        else Spell1->CheckSection(ed, 0, std::min(from, ed->Length()));
    } else {
        Spell1->holdMessage = false;
        Spell1->FinishDialog();
    }
    Spell1->AlwaysActive = false;
    Spell1->releaseDictionaries();
    Spell1->resetCount = true;
    if (!ed) return;
    // The selection comes back where its text is now, after the changes
    // made before it.
    const int keptStart = std::min(Spell1->keptStart, ed->Length());
    ed->SetSelStart(keptStart);
    ed->SetSelLength(std::clamp(Spell1->keptEnd - keptStart, 0, ed->Length() - keptStart));
}

void TMainForm::NewBtnClick() {
    switch (settings_.newFiles) {
    case 1: FromDialog1Click(); break;
    case 2: FromTemplate1Click(); break;
    default: docs_->NewFile(); break;
    }
}

void TMainForm::Print1Click() {
    TMDIChild* c = activeDocument();
    if (!c) return;
    if (!printer_) printer_ = std::make_unique<QsciPrinter>();
    if (!prompter().print(this, *printer_)) return;
    auto* printer = static_cast<QsciPrinter*>(printer_.get());
    printer->setDocName(c->FileName());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = printer->printRange(c->view()) != 0;
    QApplication::restoreOverrideCursor();
    if (!printed) showError(QStringLiteral("Printing %1 failed.").arg(c->FileName()));
}

void TMainForm::PrintSetup1Click() {
    if (!printer_) printer_ = std::make_unique<QsciPrinter>();
    prompter().pageSetup(this, *printer_);
}

void TMainForm::FileDrop(const QStringList& fileNames) {
    for (const QString& name : fileNames) {
        try {
            OpenDocument(name);
        } catch (const tv::FileError&) {
            // Nothing was opened for the file, so no window needs closing.
            QApplication::beep();
            prompter().message(this, kCaption,
                               QStringLiteral("Error opening file ") + name + QStringLiteral("\r\n\r\n") +
                                   QStringLiteral("Check the file path and try again."),
                               Prompter::Icon::Error);
        }
        openDir_ = fromStd(tv::folderOf(toStd(name)));
    }
    raise();
    activateWindow();
}

void TMainForm::Open1Click() {
    Prompter::OpenRequest req{QStringLiteral("Open Document"), openDir_, QString::fromLatin1(tv::kOpenFilter)};
    const auto name = prompter().openFileName(this, req);
    if (!name) return;
    try {
        OpenDocument(*name);
    } catch (const tv::FileError& e) {
        showError(fromStd(e.what()));
    }
    openDir_ = fromStd(tv::folderOf(toStd(*name)));
}

void TMainForm::Close1Click() {
    if (QMdiSubWindow* w = mdi_->currentSubWindow()) w->close();
}

void TMainForm::ExitClick() { close(); }

void TMainForm::showError(const QString& text) { prompter().message(this, kCaption, text, Prompter::Icon::Error); }

void TMainForm::receiveHandOver(const QString& argument) {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    if (argument.isEmpty()) return;
    openNamed(fromStd(tv::ExpandLongPath(toStd(argument), toStd(cwd_))));
}

void TMainForm::openNamed(const QString& fileName) {
    const std::string name = toStd(fileName);
    if (!tv::fileExists(name)) {
        const std::string folder = tv::folderOf(name);
        if (folder.empty() || tv::folderExists(folder)) docs_->newNamed(fileName);
        else showError(QStringLiteral("Cannot open %1: the folder %2 does not exist.").arg(fileName, fromStd(folder)));
        return;
    }
    try {
        OpenDocument(fileName);
    } catch (const tv::FileError& e) {
        showError(fromStd(e.what()));
    }
}

// --- frame state ----------------------------------------------------------------

QString TMainForm::statusPanel(int index) const { return index == 0 ? panel0_->text() : panel1_->text(); }

void TMainForm::documentCreated(TMDIChild* child) {
    connect(child, &TMDIChild::stateChanged, this, &TMainForm::documentStateChanged);
    connect(child, &TMDIChild::fileNameChanged, this, &TMainForm::renameDocumentTab);
    connect(child, &TMDIChild::closed, this, &TMainForm::documentClosed);
    connect(child, &TMDIChild::limitReached, this, [this](int characters) {
        ShowApplicationHint(QStringLiteral("The document has reached its limit of %1 characters.")
                                .arg(QLocale(QLocale::English).toString(characters)));
    });
    AddDocumentTab(child);
    const QSignalBlocker block(TabSet1);
    TabSet1->setCurrentIndex(TabSet1->count() - 1);
}

void TMainForm::documentStateChanged(TMDIChild* child) {
    // Tabs show which documents are modified, and their widths follow.
    TabSet1->refresh();
    if (child == activeDocument()) UpdateMenuItems();
}

void TMainForm::documentClosed(TMDIChild* child) {
    if (!child->IsUntitled()) MRUFileList1->AddItem(child->FileName());
    noteSettingsChanged();
    const int tab = tabOf(child);
    if (tab >= 0) {
        const QSignalBlocker block(TabSet1);
        TabSet1->removeTab(tab);
    }
}

bool TMainForm::wordWrapChecked() const { return WordWrap1 && WordWrap1->isChecked(); }

void TMainForm::subWindowActivated(QMdiSubWindow*) { UpdateMenuItems(); }

void TMainForm::UpdateMenuItems() {
    SelectActiveTab();
    TMDIChild* c = activeDocument();
    const bool d = !documents().empty();
    for (QAction* a : {Close1, Save1, SaveAs1, NewView1, Cascade1, TileHorizontal1, TileVertical1, ArrangeIcons1, WordWrap1,
                       Print1, SaveAll1, Preview1, PrevBtn, SpellBtn, UpdateBtn, DateBtn})
        a->setEnabled(d);
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
    FrameFind1->setEnabled(!c);
    command("Find1")->setEnabled(c != nullptr);
    const bool sel = c && c->view()->SelLength() > 0;
    PasteBtn->setEnabled(c && clipboardHasText_);
    UndoBtn->setEnabled(c && c->view()->CanUndo());
    command("Redo1")->setEnabled(c && c->view()->CanRedo());
    RedoBtn->setEnabled(c && c->canRepeatTag());
    SaveBtn->setEnabled(c && c->document().modified());
    for (QAction* a : {CutBtn, CopyBtn, command("ChangeCase1"), command("Breaks1"), command("Tags1"),
                       command("Append1")})
        a->setEnabled(sel);
    Encoding1->setEnabled(c != nullptr);
    if (c) {
        panel0_->setText(fromStd(tv::caretPositionText(c->view()->CaretLine(), c->view()->CaretColumn())));
        encodingPanel_->setText(QString::fromLatin1(tv::encodingName(c->document().file.encoding)));
    } else {
        panel0_->clear();
        encodingPanel_->clear();
    }
}

void TMainForm::ShowApplicationHint(const QString& hint) { panel1_->setText(QStringLiteral(" ") + hint); }

bool TMainForm::event(QEvent* e) {
    if (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::WindowStateChange)
        noteSettingsChanged();
    // The desktop turned dark or light: the editors' default colours follow.
    if (e->type() == QEvent::ApplicationPaletteChange)
        for (TMDIChild* c : documents()) c->ApplyEditorSettings();
    if (e->type() == QEvent::StatusTip) {
        ShowApplicationHint(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

// --- view and window commands -------------------------------------------------------

void TMainForm::WordWrap1Click() {
    TMDIChild* c = activeDocument();
    if (!c) return;
    c->SetWordWrap(!c->view()->WordWrapOn());
    WordWrap1->setChecked(c->view()->WordWrapOn());
}

void TMainForm::SpecialCharacters1Click() {
    if (!CharBoxAllowed) return;
    auto* box = new TCharBox(this);
    CharBoxAllowed = false;
    connect(box, &QObject::destroyed, this, [this] { CharBoxAllowed = true; });
    box->onInsert = [this](const QString& entity) {
        if (TMDIChild* c = activeDocument()) {
            c->view()->setFocus();
            c->replaceSelection(entity.toStdString(), {TMDIChild::kEnd, 0}, TMDIChild::Recolour::None);
        }
    };
    box->show();
}

void TMainForm::View1Popup() {
    SpecialCharacters1->setEnabled(CharBoxAllowed);
    if (TMDIChild* c = activeDocument()) WordWrap1->setChecked(c->view()->WordWrapOn());
    StatusBar1->setChecked(statusBar()->isVisible());
}

void TMainForm::fillToolbarsMenu(QMenu* menu) {
    for (std::size_t i = 0; i < toolBars.size(); ++i) {
        if (kToolBars[i].separatorBefore) menu->addSeparator();
        QAction* a = menu->addAction(QString::fromLatin1(kToolBars[i].menuCaption));
        a->setCheckable(true);
        QToolBar* tb = toolBars[i];
        connect(a, &QAction::triggered, tb, [tb] { tb->setVisible(!tb->isVisible()); });
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { Toolbars1Popup(menu); });
}

QMenu* TMainForm::createPopupMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("TbarPopup"));
    fillToolbarsMenu(menu);
    return menu;
}

void TMainForm::Toolbars1Popup(QMenu* menu) {
    std::size_t i = 0;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        a->setChecked(toolBars[i++]->isVisible());
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

void TMainForm::HelpTopics1Click() {
    if (!helpBox_) helpBox_ = new THelpBox(this);
    helpBox_->show();
    helpBox_->raise();
    helpBox_->activateWindow();
}

tv::MacroContext TMainForm::macroContext() const {
    tv::MacroContext c = tv::macroContextFor(settings_, toDocument(ownerName()), tv::programFolder());
    // Names and patterns of dates in the user's language.
    c.locale = userDateLocale();
    return c;
}

QString TMainForm::ownerName() const {
    return aboutBox_ ? aboutBox_->ownerName() : QString::fromStdString(tv::registeredOwner());
}

void TMainForm::About1Click() {
    if (aboutBox_) prompter().run(*aboutBox_);
}

// --- start and shutdown ---------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TMainForm::FormShow() {
    for (const QString& arg : args_) {
        if (arg.isEmpty() || arg.startsWith(QLatin1Char('-'))) continue;
        openNamed(fromStd(tv::ExpandLongPath(toStd(arg), toStd(cwd_))));
    }
    if (aboutBox_) aboutBox_->setOwnerName(fromStd(tv::registeredOwner()));
    // The last project comes back.
    if (settings_.projFile != tv::kUntitledProject && tv::fileExists(settings_.projFile))
        OpenProject(fromStd(settings_.projFile));
    // Without a stored folder the file pane shows the first document's.
    if (settings_.currentDir.empty())
        if (TMDIChild* c = activeDocument(); c && !c->IsUntitled())
            FilePanel->setFolder(fromStd(tv::folderOf(c->document().file.fileName)));
    // Asked once the frame is on the screen, so that the question has it
    // behind it.
    QTimer::singleShot(0, this, &TMainForm::offerRecovery);
}

bool TMainForm::offerRecovery() {
    const auto orphans = journal_->orphans();
    if (orphans.empty()) {
        journal_->discard(orphans);  // owners whose entries could not be read
        return false;
    }
    const auto answer = prompter().ask(this, {kCaption, fromStd(tv::recoverQuestion(orphans.size())),
                                              Prompter::Yes | Prompter::No, Prompter::Yes, Prompter::Icon::Question});
    if (answer == Prompter::Yes) {
        for (const auto& o : orphans)
            docs_->recover(o.entry.fileName, o.entry.lineEnds,
                           tv::encodingNamed(o.entry.encoding).value_or(settings_.defaultFileEncoding()), o.entry.text);
        journal_->flush();  // the texts are in this frame's journal before the old entries go
    }
    journal_->discard(orphans);
    return answer == Prompter::Yes;
}

void TMainForm::closeEvent(QCloseEvent* e) {
    // A spell check waiting for the user is ended first, as Cancel would;
    // the close comes back once the check has finished its part.
    if (Spell1->busy) {
        Spell1->CancelWaiting();
        e->ignore();
        QTimer::singleShot(0, this, [this] { close(); });
        return;
    }
    // Every document window is asked first; one refusal stops the shutdown
    // and leaves every window as it was, so that its next close asks again.
    const auto docs = documents();
    auto cancel = [&] {
        for (TMDIChild* c : docs) c->closeApproved = false;
        e->ignore();
    };
    for (TMDIChild* c : docs) {
        if (!c->FormCloseQuery()) return cancel();
        c->closeApproved = true;
    }
    // Then the project; cancelling keeps everything open.
    if (!QuerySaveProject()) return cancel();
    for (TMDIChild* c : docs)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(c->parentWidget())) sub->close();
    collectToolBarLayouts();
    e->accept();
}
