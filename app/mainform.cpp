#include "app/mainform.h"
#include "editor/document.h"

#include "files/diskpane.h"
#include "files/filepaneui.h"
#include "files/projectpane.h"

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
#include "tools/searchwindows.h"
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
    setCentralWidget(central);
    // The panes: the file pane at the left, beside the documents, and the
    // results of a search across files below them.
    createFilePane();
    hostPane(FilePanel, {"FileList", "File List", "FileList1", "&File List", "Show or hide the file list",
                         Qt::LeftDockWidgetArea, 109});
    FoundPane = new TFoundBox(this);
    connect(FoundPane, &TFoundBox::closeRequested, this, [this] { showPane("SearchResults", false); });
    hostPane(FoundPane, {"SearchResults", "Search Results", "SearchResults1", "Search &Results",
                         "Show or hide the files the last search across files found", Qt::BottomDockWidgetArea, 160});
    createPreviewPane();
    createProblemsPane();

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
    destroying_ = true;
    endChecks();
    // The frame's windows, boxes and document windows go with it; none of
    // them calls back into the frame once it is going (a palette or progress
    // box told of its end would otherwise reach a frame half taken down).
    for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
    FormDestroy();
}

void TMainForm::applySettings() {
    applyPreviewOptions();
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
    diskPane()->setFolder(settings_.currentDir.empty() ? QDir::homePath() : fromStd(settings_.currentDir));
    diskPane()->setFilterIndex(settings_.filterIndex);
    projectPane()->setFileName(settings_.projFile);
    // Stored grab bars stay within the frame.
    diskPane()->GrabBar1->setPlace(tv::keepWithin(settings_.sizer1, 20, b.height, 120));
    projectPane()->GrabBar2->setPlace(tv::keepWithin(settings_.sizer3, 20, b.height, 120));
    FilePanel->setPage(settings_.nbook);
    tv::PaneLayout& files = settings_.panes["FileList"];
    files.size = tv::keepWithin(files.size > 0 ? files.size : settings_.sizer2, 40, b.width, 100);
    applyPaneLayouts();
    statusBar()->setVisible(settings_.statusBar);
    wordWrap_ = settings_.wordWrap;
    TabPanel->setVisible(settings_.tabControl);
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
    settings_.wordWrap = wordWrap_;
    settings_.statusBar = !statusBar()->isHidden();
    settings_.tabControl = !TabPanel->isHidden();
    collectPaneLayouts();
    // The file pane is also kept where older versions look for it.
    settings_.fileList = settings_.panes["FileList"].shown;
    if (settings_.panes["FileList"].size > 0) settings_.sizer2 = settings_.panes["FileList"].size;
    if (int h = diskPane()->GrabBar1->place(); h > 0) settings_.sizer1 = h;
    if (int h = projectPane()->GrabBar2->place(); h > 0) settings_.sizer3 = h;
    settings_.nbook = FilePanel->page();
    settings_.currentDir = toStd(diskPane()->folder());
    settings_.filterIndex = diskPane()->filterIndex();
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
        for (const tv::TProject* f : tv::ListProjectFolders(project())) out.push_back({fromStd(f->Title()), f->Level});
        return out;
    };
    // Its buttons run the commands of the table.
    auto run = [this](const char* id) { return [this, id] { command(id)->trigger(); }; };
    searchBox_->onFind = run("FindNext1");
    searchBox_->onReplace = run("RaFagain");
    searchBox_->onReplaceAll = run("ReplaceAll1");
    searchBox_->onFindInFiles = run("FindInFiles1");
    searchBox_->onReplaceInFiles = run("ReplaceInFiles1");
    return searchBox_;
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
        if (TabSet1->tabData(i).value<TMDIChild*>() == c) {
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

void TMainForm::Options1Click() {
    TSettingsBox box(settings_, this);
    if (prompter().run(box) != QDialog::Accepted) return;
    std::string error;
    if (!box.apply(settings_, error)) {
        showError(fromStd(error));
        return;
    }
    BuildBrowserMenu();
    applyPreviewOptions();
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
        const int from = tv::wordStartAt(ed->textView(), std::min(s + l, ed->Length()));
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
    connect(&child->document(), &TDocument::changed, child, [this, child] { pageEdited(child); });
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

bool TMainForm::wordWrapChecked() const { return wordWrap_; }

void TMainForm::subWindowActivated(QMdiSubWindow*) {
    UpdateMenuItems();
    previewFollow();
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
    wordWrap_ = c->view()->WordWrapOn();
}

void TMainForm::SpecialCharacters1Click() {
    if (!CharBoxAllowed) return;
    auto* box = new TCharBox(this);
    CharBoxAllowed = false;
    connect(box, &QObject::destroyed, this, [this] {
        CharBoxAllowed = true;
        UpdateMenuItems();
    });
    box->onInsert = [this](const QString& entity) {
        if (TMDIChild* c = activeDocument()) {
            c->view()->setFocus();
            c->replaceSelection(entity.toStdString(), {TMDIChild::kEnd, 0}, TMDIChild::Recolour::None);
        }
    };
    box->show();
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
            diskPane()->setFolder(fromStd(tv::folderOf(c->document().file.fileName)));
    // The panes' sizes hold once the frame is laid out.
    applyPaneLayouts();
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
    if (!projectPane()->querySave()) return cancel();
    for (TMDIChild* c : docs)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(c->parentWidget())) sub->close();
    collectToolBarLayouts();
    e->accept();
}
