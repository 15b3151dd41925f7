#include "files/projectpane.h"

#include "base/doctext.h"
#include "base/paths.h"
#include "base/prompter.h"
#include "files/filepane.h"
#include "files/project.h"
#include "widgets/panedrag.h"

#include <QDragEnterEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("Taviron");
const char* const kSelectFilter =
    "HTML files|*.html; *.htm; *.shtm; *.shtml; *.css|Image files|*.gif; *.jpg; *.jpeg|Text files|*.txt|All files|*.*";

// Project list rows: the kind's picture 1 pixel in, the name without its
// folder 20 pixels from the left and 2 down.
class ProjectRowDelegate : public QStyledItemDelegate {
public:
    ProjectRowDelegate(std::function<QIcon(const QString&)> icon, QObject* parent)
        : QStyledItemDelegate(parent), icon_(std::move(icon)) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString path = index.data(files::kPathRole).toString();
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        p->fillRect(option.rect, selected ? pal.highlight() : pal.base());
        icon_(path).paint(p, QRect(option.rect.topLeft() + QPoint(1, 1), QSize(16, 16)));
        p->setPen(selected ? pal.highlightedText().color() : pal.text().color());
        p->setFont(option.font);
        const QRect text(option.rect.left() + 20, option.rect.top() + 2, option.rect.width() - 20,
                         option.rect.height() - 2);
        p->drawText(text, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(tv::fileNameOnly(path.toStdString())));
    }
    // As wide as what is drawn: the picture and the name without its folder.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString name = QString::fromStdString(tv::fileNameOnly(index.data(files::kPathRole).toString().toStdString()));
        return {20 + option.fontMetrics.horizontalAdvance(name) + 4, files::kRowHeight};
    }

private:
    std::function<QIcon(const QString&)> icon_;
};
} // namespace

// --- the tree ------------------------------------------------------------------------------

TProjectTree::TProjectTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("TreeView1"));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMinimumHeight(24);
}

bool TProjectTree::accepts(const QMimeData* data) const {
    const auto drag = paneDragOf(data);
    return drag && drag->source == QLatin1String("ListBox1") && (!sourceHasSelection || sourceHasSelection());
}

void TProjectTree::setTarget(QTreeWidgetItem* item) {
    if (target_ == item) return;
    if (target_) target_->setBackground(0, QBrush());
    target_ = item;
    if (target_) target_->setBackground(0, palette().brush(QPalette::Highlight).color().lighter(150));
}

void TProjectTree::dragEnterEvent(QDragEnterEvent* e) { dragMoveEvent(e); }

void TProjectTree::dragMoveEvent(QDragMoveEvent* e) {
    if (!accepts(e->mimeData())) {
        e->ignore();
        return;
    }
    setTarget(itemAt(e->position().toPoint()));
    acceptPaneDrag(e);
}

void TProjectTree::dragLeaveEvent(QDragLeaveEvent* e) {
    setTarget(nullptr);
    QTreeWidget::dragLeaveEvent(e);
}

void TProjectTree::dropEvent(QDropEvent* e) {
    QTreeWidgetItem* item = itemAt(e->position().toPoint());
    setTarget(nullptr);
    const auto drag = paneDragOf(e->mimeData());
    if (!accepts(e->mimeData()) || !item) {
        e->ignore();
        return;
    }
    acceptPaneDrag(e);
    if (onMoveFile) onMoveFile(item, drag->file);
}

// --- the pane ------------------------------------------------------------------------------

TProjectPane::TProjectPane(const PaneFileActions& actions, QWidget* parent)
    : QWidget(parent), actions_(actions), root_(std::make_unique<tv::TProject>()), fileName_(tv::kUntitledProject) {
    setObjectName(QStringLiteral("ProjectPane"));
    // The folder tree above the grab bar, the folder's files below.
    GrabBar2 = new TGrabBar(QStringLiteral("GrabBar2"));
    TreeView1 = new TProjectTree(nullptr);
    ListBox1 = new TPaneList(QStringLiteral("ListBox1"), nullptr);
    ListBox1->setItemDelegate(
        new ProjectRowDelegate([this](const QString& f) { return actions_.kindIcon(this, f); }, ListBox1));
    ListBox1->setUniformItemSizes(true);
    GrabBar2->setAreas(TreeView1, ListBox1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(GrabBar2);

    ListBox1->onHint = [this](const QString& h) {
        if (actions_.onHint) actions_.onHint(h);
    };
    TreeView1->sourceHasSelection = [this] { return ListBox1->currentItem() != nullptr; };
    TreeView1->onMoveFile = [this](QTreeWidgetItem* target, const QString& file) { moveFile(target, file); };
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { actions_.fileAction(TPaneList::pathOf(item), true); });
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this] { listFolderFiles(); });
    connect(TreeView1, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (tv::TProject* f = folderOf(item)) {
            f->Rename(item->text(0).toStdString());
            const QString kept = fromStd(f->Title());
            if (kept != item->text(0)) item->setText(0, kept);  // cut to what the file can hold
        }
    });
    connect(TreeView1, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (!item->parent()) TreeView1->expandItem(item);  // the root stays open
    });
    buildPopups();
}

TProjectPane::~TProjectPane() = default;

void TProjectPane::buildPopups() {
    TreePopup = new QMenu(this);
    TreePopup->setObjectName(QStringLiteral("TreePopup"));
    TreeAddFiles1 = addMenuItem(TreePopup, "TreeAddFiles1", QStringLiteral("&Add Files..."));
    AddFolder1 = addMenuItem(TreePopup, "AddFolder1", QStringLiteral("Add &Folder"));
    DeleteFolder1 = addMenuItem(TreePopup, "DeleteFolder1", QStringLiteral("&Delete Folder"));
    UpdateFiles1 = addMenuItem(TreePopup, "UpdateFiles1", QStringLiteral("&Update Files"));
    UpdateFiles1->setStatusTip(QStringLiteral("Fill the macros and include blocks of the folder's files"));
    connect(TreeAddFiles1, &QAction::triggered, this, &TProjectPane::AddFiles1Click);
    connect(AddFolder1, &QAction::triggered, this, &TProjectPane::AddFolder1Click);
    connect(DeleteFolder1, &QAction::triggered, this, &TProjectPane::DeleteFolder1Click);
    connect(UpdateFiles1, &QAction::triggered, this, [this] {
        tv::TProject* f = selectedFolder();
        if (!f || !updateFiles) return;
        QStringList files;
        for (const std::string& name : f->Files()) files << fromStd(name);
        updateFiles(files);
    });

    ProjListPopup = new QMenu(this);
    ProjListPopup->setObjectName(QStringLiteral("ProjListPopup"));
    ProjOpen1 = addMenuItem(ProjListPopup, "ProjOpen1", QStringLiteral("&Open"));
    ProjMakeTag1 = addMenuItem(ProjListPopup, "ProjMakeTag1", QStringLiteral("&Make tag..."));
    ProjListPopup->addSeparator();
    ProjAddFiles1 = addMenuItem(ProjListPopup, "ProjAddFiles1", QStringLiteral("&Add Files..."));
    RemoveFile1 = addMenuItem(ProjListPopup, "RemoveFile1", QStringLiteral("&Remove File"));
    connect(ProjOpen1, &QAction::triggered, this, [this] { actions_.fileAction(selectedFile(), false); });
    connect(ProjMakeTag1, &QAction::triggered, this, [this] { actions_.makeTagOf(selectedFile()); });
    connect(ProjAddFiles1, &QAction::triggered, this, &TProjectPane::AddFiles1Click);
    connect(RemoveFile1, &QAction::triggered, this, &TProjectPane::RemoveFile1Click);

    for (auto [widget, menu] : {std::pair<QWidget*, QMenu*>{TreeView1, TreePopup}, {ListBox1, ProjListPopup}}) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this, [this, widget, menu](const QPoint& pos) {
            updatePopups();
            menu->popup(widget->mapToGlobal(pos));
        });
    }
}

void TProjectPane::updatePopups() {
    const bool folder = selectedFolder() != nullptr;
    TreeAddFiles1->setEnabled(folder);
    AddFolder1->setEnabled(folder);
    DeleteFolder1->setEnabled(folder && TreeView1->currentItem()->parent());
    UpdateFiles1->setEnabled(folder);

    const QString file = selectedFile();
    ProjOpen1->setEnabled(!file.isEmpty());
    ProjMakeTag1->setEnabled(actions_.documentOpen() && !file.isEmpty());
    ProjAddFiles1->setEnabled(folder);
    RemoveFile1->setEnabled(folder && !file.isEmpty());
    ProjListPopup->setDefaultAction(actions_.kindOf(file) == tv::FileKind::Text ? ProjOpen1 : ProjMakeTag1);
}

// --- the project file ----------------------------------------------------------------------

void TProjectPane::showError(const QString& text) { prompter().message(window(), kCaption, text, Prompter::Icon::Error); }

void TProjectPane::setFileNameAndTell(const std::string& name) {
    fileName_ = name;
    if (fileNameChanged) fileNameChanged();
}

bool TProjectPane::querySave() {
    if (!root_->ProjectModified()) return true;
    if (fileName_ == tv::kUntitledProject) return save();
    const auto answer =
        prompter().ask(window(), {kCaption, QStringLiteral("Save changes to ") + fileName() + QStringLiteral("?"),
                                  Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Yes,
                                  Prompter::Icon::Question});
    if (answer == Prompter::Cancel) return false;
    if (answer == Prompter::Yes) return save();
    return true;
}

bool TProjectPane::close() {
    if (!querySave()) return false;
    clearTree();
    root_->Clear();
    setFileNameAndTell(tv::kUntitledProject);
    return true;
}

bool TProjectPane::open(const QString& fileName) {
    const std::string name = fileName.toStdString();
    // A damaged file is refused before anything is asked or given up (a
    // project file is small; reading it twice costs nothing).
    if (tv::fileExists(name)) {
        try {
            tv::TProject probe;
            probe.LoadFromFile(name);
        } catch (const tv::ProjectError& e) {
            showError(fromStd(e.what()));
            return false;
        }
    }
    if (!close()) return false;
    if (tv::fileExists(name)) {
        try {
            root_->LoadFromFile(name);
        } catch (const tv::ProjectError& e) {
            showError(fromStd(e.what()));
        }
    }
    showRoot();
    setFileNameAndTell(name);
    return true;
}

bool TProjectPane::openChosen() {
    Prompter::OpenRequest req{QStringLiteral("Open Project"), fromStd(tv::programFolder()),
                              QStringLiteral("Taviron Projects (*.vkp)|*.vkp")};
    const auto name = prompter().openFileName(window(), req);
    return name && tv::fileExists(name->toStdString()) && open(*name);
}

bool TProjectPane::save() {
    if (fileName_ == tv::kUntitledProject) return saveAs();
    try {
        root_->SaveToFile(fileName_);
    } catch (const tv::ProjectError& e) {
        showError(fromStd(e.what()));
        return false;
    }
    return true;
}

bool TProjectPane::saveAs() {
    Prompter::SaveRequest req{QStringLiteral("Save Project As"), fileName(),
                              QStringLiteral("Taviron Project file (*.vkp)|*.vkp"), 1, QStringLiteral("vkp")};
    const auto answer = prompter().saveFileName(window(), req);
    if (!answer) return false;
    const std::string old = fileName_;
    setFileNameAndTell(answer->fileName.toStdString());
    if (save()) return true;
    setFileNameAndTell(old);  // nothing was written under the new name
    return false;
}

// --- the tree ------------------------------------------------------------------------------

void TProjectPane::clearTree() {
    const QSignalBlocker block(TreeView1);
    TreeView1->clear();
    ListBox1->clear();
}

QTreeWidgetItem* TProjectPane::addProjectNode(QTreeWidgetItem* parent, tv::TProject* folder) {
    const QSignalBlocker block(TreeView1);
    // Every node shares one icon: a project may hold tens of thousands of
    // folders, and each icon of its own would cost its own pixmap cache.
    if (folderIcon_.isNull()) folderIcon_ = style()->standardIcon(QStyle::SP_DirIcon);
    return addProjectNodes(parent, folder, folderIcon_);
}

QTreeWidgetItem* TProjectPane::addProjectNodes(QTreeWidgetItem* parent, tv::TProject* folder, const QIcon& icon) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TreeView1);
    node->setText(0, fromStd(folder->Title()));
    node->setData(0, files::kPathRole, QVariant::fromValue(reinterpret_cast<quintptr>(folder)));
    node->setIcon(0, icon);
    node->setFlags(node->flags() | Qt::ItemIsEditable | Qt::ItemIsDropEnabled);
    for (int i = 0; i < folder->FolderCount(); ++i) addProjectNodes(node, folder->GetFolder(i), icon);
    return node;
}

void TProjectPane::showRoot() {
    QTreeWidgetItem* top = TreeView1->topLevelItem(0);
    if (!top) top = addProjectNode(nullptr, root_.get());
    TreeView1->expandItem(top);
    TreeView1->setCurrentItem(top);
    listFolderFiles();
}

tv::TProject* TProjectPane::folderOf(const QTreeWidgetItem* item) const {
    return item ? reinterpret_cast<tv::TProject*>(item->data(0, files::kPathRole).value<quintptr>()) : nullptr;
}

tv::TProject* TProjectPane::selectedFolder() const { return folderOf(TreeView1->currentItem()); }

void TProjectPane::listFolderFiles() {
    ListBox1->clear();
    tv::TProject* f = selectedFolder();
    if (!f) return;
    std::vector<std::string> files = f->Files();
    tv::SortNoCase(files);
    for (const std::string& name : files) {
        auto* item = new QListWidgetItem(fromStd(name), ListBox1);
        item->setData(files::kPathRole, fromStd(name));
    }
}

void TProjectPane::addToSelectedFolder(const QString& file) {
    tv::TProject* f = selectedFolder();
    if (f && f->AddFile(file.toStdString())) listFolderFiles();
}

void TProjectPane::AddFiles1Click() {
    if (!selectedFolder()) return;
    Prompter::OpenRequest req{QStringLiteral("Select Documents"), startFolder ? startFolder() : QString(),
                              QString::fromLatin1(kSelectFilter)};
    for (const QString& file : prompter().openFileNames(window(), req))
        if (tv::fileExists(file.toStdString())) addToSelectedFolder(file);
}

void TProjectPane::AddFolder1Click() {
    QTreeWidgetItem* node = TreeView1->currentItem();
    tv::TProject* f = folderOf(node);
    if (!f) return;
    tv::TProject* added = f->AddFolder();
    if (!added) {
        prompter().message(window(), kCaption, QStringLiteral("This folder holds as many sub-folders as a project can keep."),
                           Prompter::Icon::Warning);
        return;
    }
    QTreeWidgetItem* child = addProjectNode(node, added);
    TreeView1->expandItem(node);
    TreeView1->expandItem(child);
    TreeView1->setCurrentItem(child);
}

void TProjectPane::DeleteFolder1Click() {
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node || !node->parent()) return;  // the root stays
    tv::TProject* parent = folderOf(node->parent());
    tv::TProject* f = folderOf(node);
    {
        const QSignalBlocker block(TreeView1);
        TreeView1->setCurrentItem(node->parent());
        delete node;
    }
    parent->RemoveFolder(f);
    listFolderFiles();
}

void TProjectPane::RemoveFile1Click() {
    tv::TProject* f = selectedFolder();
    const QString file = selectedFile();
    if (!f || file.isEmpty()) return;
    f->RemoveFile(file.toStdString());
    delete ListBox1->currentItem();
}

void TProjectPane::moveFile(QTreeWidgetItem* target, const QString& file) {
    tv::TProject* from = selectedFolder();
    tv::TProject* to = folderOf(target);
    if (!from || !to || from == to) return;
    from->RemoveFile(file.toStdString());
    to->AppendFile(file.toStdString());
    listFolderFiles();
}
