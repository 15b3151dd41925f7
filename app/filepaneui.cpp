#include "app/filepaneui.h"

#include "base/doctext.h"

#include "app/filepane.h"
#include "base/paths.h"
#include "app/project.h"
#include "base/prompter.h"
#include "base/filekind.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QSplitter>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr int kRowHeight = 18;
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kLevelRole = Qt::UserRole + 2;  // a folder's depth in the folder list
const char* const kSelectFilter =
    "HTML files|*.html; *.htm; *.shtm; *.shtml; *.css|Image files|*.gif; *.jpg; *.jpeg|Text files|*.txt|All files|*.*";

// Project list rows: the kind's picture 1 pixel in, the name without its
// folder 20 pixels from the left and 2 down.
class ProjectRowDelegate : public QStyledItemDelegate {
public:
    ProjectRowDelegate(std::function<QIcon(const QString&)> icon, QObject* parent)
        : QStyledItemDelegate(parent), icon_(std::move(icon)) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString path = index.data(kPathRole).toString();
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
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width() + 20, kRowHeight};
    }

private:
    std::function<QIcon(const QString&)> icon_;
};
// Folder list rows: each folder's picture and name indented by its depth,
// the picture at the small icon size, in rows of one height.
class FolderRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static constexpr int kIndent = 10;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        p->fillRect(option.rect, selected ? pal.highlight() : pal.base());
        const int left = option.rect.left() + 1 + index.data(kLevelRole).toInt() * kIndent;
        const int top = option.rect.top() + (option.rect.height() - 16) / 2;
        index.data(Qt::DecorationRole).value<QIcon>().paint(p, QRect(left, top, 16, 16));
        p->setPen(selected ? pal.highlightedText().color() : pal.text().color());
        p->setFont(option.font);
        const QRect text(left + 20, option.rect.top(), option.rect.right() - left - 20, option.rect.height());
        p->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.initFrom(option.widget);
            focus.rect = option.rect;
            option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, option.widget);
        }
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int width = option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
        return {1 + index.data(kLevelRole).toInt() * kIndent + 20 + width + 4, kRowHeight};
    }
};
} // namespace

// --- lists -----------------------------------------------------------------------------

TPaneList::TPaneList(const QString& name, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
}

void TPaneList::mouseMoveEvent(QMouseEvent* e) {
    if (onHint) {
        const QListWidgetItem* item = itemAt(e->position().toPoint());
        onHint(item && pathOf ? pathOf(item) : QString());
    }
    QListWidget::mouseMoveEvent(e);
}

void TPaneList::leaveEvent(QEvent* e) {
    if (onHint) onHint(QString());
    QListWidget::leaveEvent(e);
}

void TPaneList::startDrag(Qt::DropActions) {
    QListWidgetItem* item = currentItem();
    if (!item || !item->isSelected() || !pathOf) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(paneDragData(objectName(), pathOf(item)));
    drag->setPixmap(item->icon().pixmap(16, 16));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

QStringList TPaneList::mimeTypes() const { return {paneDragMimeType()}; }

QMimeData* TPaneList::mimeData(const QList<QListWidgetItem*>& items) const {
    if (items.isEmpty() || !pathOf) return nullptr;
    return paneDragData(objectName(), pathOf(items.first()));
}

TProjectTree::TProjectTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("TreeView1"));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
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

TFilePane::TFilePane(tv::TProject& root, QWidget* parent) : QWidget(parent), root_(root) {
    setObjectName(QStringLiteral("FilePanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Notebook1 = new QTabWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    Notebook1->setTabPosition(QTabWidget::South);
    // Both page names stay readable: the pane is never narrower than its tabs.
    Notebook1->setUsesScrollButtons(false);
    Notebook1->setElideMode(Qt::ElideNone);
    layout->addWidget(Notebook1);

    // "Default": drives and folders above the grab bar, filter and files below.
    GrabBar1 = new QSplitter(Qt::Vertical);
    GrabBar1->setObjectName(QStringLiteral("GrabBar1"));
    GrabBar1->setChildrenCollapsible(false);
    // Each area: a list box at the top, a list below it taking the rest.
    auto area = [this](const char* name, QVBoxLayout*& layout) {
        auto* w = new QWidget(GrabBar1);
        w->setObjectName(QString::fromLatin1(name));
        layout = new QVBoxLayout(w);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        return w;
    };
    QVBoxLayout *l1 = nullptr, *l2 = nullptr;
    Panel1 = area("Panel1", l1);
    DriveBox = new QComboBox(Panel1);
    DriveBox->setObjectName(QStringLiteral("DriveBox"));
    DirList = new QListWidget(Panel1);
    DirList->setObjectName(QStringLiteral("DirList"));
    DirList->setItemDelegate(new FolderRowDelegate(DirList));
    DirList->setIconSize(QSize(16, 16));
    DirList->setUniformItemSizes(true);
    l1->addWidget(DriveBox);
    l1->addWidget(DirList, 1);
    Panel2 = area("Panel2", l2);
    FilterBox = new QComboBox(Panel2);
    FilterBox->setObjectName(QStringLiteral("FilterBox"));
    for (const tv::FilterEntry& f : tv::SplitFilter(tv::kPaneFilter))
        FilterBox->addItem(fromStd(f.name), fromStd(f.masks));
    FileList = new TPaneList(QStringLiteral("FileList"), Panel2);
    FileList->setViewMode(QListView::ListMode);
    FileList->setFlow(QListView::TopToBottom);
    FileList->setResizeMode(QListView::Adjust);
    FileList->pathOf = [this](const QListWidgetItem* item) { return item->data(kPathRole).toString(); };
    FileList->installEventFilter(this);
    l2->addWidget(FilterBox);
    l2->addWidget(FileList, 1);
    Notebook1->addTab(GrabBar1, QStringLiteral("Default"));
    // The area above a grab bar keeps its height as the frame grows or shrinks
    // (a maximised start, too); the list below takes the difference.
    GrabBar1->setStretchFactor(0, 0);
    GrabBar1->setStretchFactor(1, 1);
    // A bar the user moves is where it stays.
    connect(GrabBar1, &QSplitter::splitterMoved, this, [this] { wantedFolderArea_ = -1; });

    // "Project": the folder tree above its grab bar, the folder's files below.
    GrabBar2 = new QSplitter(Qt::Vertical);
    GrabBar2->setObjectName(QStringLiteral("GrabBar2"));
    GrabBar2->setChildrenCollapsible(false);
    connect(GrabBar2, &QSplitter::splitterMoved, this, [this] { wantedTree_ = -1; });
    TreeView1 = new TProjectTree(GrabBar2);
    ListBox1 = new TPaneList(QStringLiteral("ListBox1"), GrabBar2);
    ListBox1->pathOf = [](const QListWidgetItem* item) { return item->data(kPathRole).toString(); };
    ListBox1->setItemDelegate(new ProjectRowDelegate([this](const QString& f) { return kindIcon(f); }, ListBox1));
    ListBox1->setUniformItemSizes(true);
    Notebook1->addTab(GrabBar2, QStringLiteral("Project"));
    GrabBar2->setStretchFactor(0, 0);
    GrabBar2->setStretchFactor(1, 1);

    auto hint = [this](const QString& h) {
        if (onHint) onHint(h);
    };
    ListBox1->onHint = hint;
    TreeView1->sourceHasSelection = [this] { return ListBox1->currentItem() != nullptr; };
    TreeView1->onMoveFile = [this](QTreeWidgetItem* target, const QString& file) { moveFile(target, file); };

    connect(DriveBox, &QComboBox::activated, this, [this](int i) { setFolder(DriveBox->itemData(i).toString()); });
    connect(DirList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setFolder(item->data(kPathRole).toString()); });
    connect(FilterBox, &QComboBox::currentIndexChanged, this, [this] { refreshFiles(); });
    connect(FileList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { fileAction(item->data(kPathRole).toString(), true); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { fileAction(item->data(kPathRole).toString(), true); });
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
    // The grab bars may make any list small.
    for (QWidget* list : std::initializer_list<QWidget*>{DirList, FileList, TreeView1, ListBox1}) list->setMinimumHeight(24);
    buildPopups();
    fillDrives();
    setFilterIndex(0);
}

QIcon TFilePane::kindIcon(const QString& file) const {
    const std::vector<std::string> ext = textExtensions ? textExtensions() : std::vector<std::string>{};
    switch (tv::GetFileKind(file.toStdString(), ext)) {
    case tv::FileKind::Image: {
        const QIcon themed = QIcon::fromTheme(QStringLiteral("image-x-generic"));
        return themed.isNull() ? style()->standardIcon(QStyle::SP_FileDialogContentsView) : themed;
    }
    case tv::FileKind::Text: {
        const QIcon themed = QIcon::fromTheme(QStringLiteral("text-html"));
        return themed.isNull() ? style()->standardIcon(QStyle::SP_FileIcon) : themed;
    }
    case tv::FileKind::Other: break;
    }
    return style()->standardIcon(QStyle::SP_FileLinkIcon);
}

void TFilePane::buildPopups() {
    FileListPopup = new QMenu(this);
    FileListPopup->setObjectName(QStringLiteral("FileListPopup"));
    FileOpen1 = FileListPopup->addAction(QStringLiteral("&Open"));
    MakeTag1 = FileListPopup->addAction(QStringLiteral("Make &Tag..."));
    FileListPopup->addSeparator();
    Refresh1 = FileListPopup->addAction(QStringLiteral("&Refresh"));
    connect(FileOpen1, &QAction::triggered, this, [this] { fileAction(selectedDiskFile(), false); });
    connect(MakeTag1, &QAction::triggered, this, [this] {
        const QString f = selectedDiskFile();
        if (!f.isEmpty() && makeTag) makeTag(f, tv::GetFileKind(f.toStdString(), textExtensions()) == tv::FileKind::Image);
    });
    connect(Refresh1, &QAction::triggered, this, [this] {
        fillDirList();
        refreshFiles();
    });

    TreePopup = new QMenu(this);
    TreePopup->setObjectName(QStringLiteral("TreePopup"));
    TreeAddFiles1 = TreePopup->addAction(QStringLiteral("&Add Files..."));
    AddFolder1 = TreePopup->addAction(QStringLiteral("Add &Folder"));
    DeleteFolder1 = TreePopup->addAction(QStringLiteral("&Delete Folder"));
    UpdateFiles1 = TreePopup->addAction(QStringLiteral("&Update Files"));
    UpdateFiles1->setStatusTip(QStringLiteral("Fill the macros and include blocks of the folder's files"));
    connect(TreeAddFiles1, &QAction::triggered, this, &TFilePane::AddFiles1Click);
    connect(AddFolder1, &QAction::triggered, this, &TFilePane::AddFolder1Click);
    connect(DeleteFolder1, &QAction::triggered, this, &TFilePane::DeleteFolder1Click);
    connect(UpdateFiles1, &QAction::triggered, this, [this] {
        tv::TProject* f = selectedFolder();
        if (!f || !updateFiles) return;
        QStringList files;
        for (const std::string& name : f->Files()) files << fromStd(name);
        updateFiles(files);
    });

    ProjListPopup = new QMenu(this);
    ProjListPopup->setObjectName(QStringLiteral("ProjListPopup"));
    ProjOpen1 = ProjListPopup->addAction(QStringLiteral("&Open"));
    ProjMakeTag1 = ProjListPopup->addAction(QStringLiteral("&Make tag..."));
    ProjListPopup->addSeparator();
    ProjAddFiles1 = ProjListPopup->addAction(QStringLiteral("&Add Files..."));
    RemoveFile1 = ProjListPopup->addAction(QStringLiteral("&Remove File"));
    connect(ProjOpen1, &QAction::triggered, this, [this] { fileAction(selectedProjectFile(), false); });
    connect(ProjMakeTag1, &QAction::triggered, this, [this] {
        const QString f = selectedProjectFile();
        if (!f.isEmpty() && makeTag) makeTag(f, tv::GetFileKind(f.toStdString(), textExtensions()) == tv::FileKind::Image);
    });
    connect(ProjAddFiles1, &QAction::triggered, this, &TFilePane::AddFiles1Click);
    connect(RemoveFile1, &QAction::triggered, this, &TFilePane::RemoveFile1Click);

    for (auto [widget, menu] : {std::pair<QWidget*, QMenu*>{FileList, FileListPopup}, {TreeView1, TreePopup},
                                {ListBox1, ProjListPopup}}) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this, [this, widget, menu](const QPoint& pos) {
            updatePopups();
            menu->popup(widget->mapToGlobal(pos));
        });
    }
}

void TFilePane::updatePopups() {
    const bool doc = hasDocument && hasDocument();
    auto setDefault = [](QMenu* menu, QAction* open, QAction* tag, bool text) {
        menu->setDefaultAction(text ? open : tag);
    };
    const QString disk = selectedDiskFile();
    const bool diskText = tv::GetFileKind(disk.toStdString(), textExtensions()) == tv::FileKind::Text;
    FileOpen1->setEnabled(!disk.isEmpty());
    MakeTag1->setEnabled(doc && !disk.isEmpty());
    setDefault(FileListPopup, FileOpen1, MakeTag1, diskText);

    const bool folder = selectedFolder() != nullptr;
    TreeAddFiles1->setEnabled(folder);
    AddFolder1->setEnabled(folder);
    DeleteFolder1->setEnabled(folder && TreeView1->currentItem()->parent());
    UpdateFiles1->setEnabled(folder);

    const QString proj = selectedProjectFile();
    const bool projText = tv::GetFileKind(proj.toStdString(), textExtensions()) == tv::FileKind::Text;
    ProjOpen1->setEnabled(!proj.isEmpty());
    ProjMakeTag1->setEnabled(doc && !proj.isEmpty());
    ProjAddFiles1->setEnabled(folder);
    RemoveFile1->setEnabled(folder && !proj.isEmpty());
    setDefault(ProjListPopup, ProjOpen1, ProjMakeTag1, projText);
}

void TFilePane::fileAction(const QString& file, bool doubleClick) {
    if (file.isEmpty()) return;
    const tv::FileKind kind = tv::GetFileKind(file.toStdString(), textExtensions());
    if (kind == tv::FileKind::Text) {
        if (openDocument) openDocument(file);
        return;
    }
    if (!doubleClick) {
        if (shellOpen) shellOpen(file);
        return;
    }
    if (hasDocument && hasDocument() && makeTag) makeTag(file, kind == tv::FileKind::Image);
}

// --- the disk --------------------------------------------------------------------------------

void TFilePane::fillDrives() {
    DriveBox->clear();
    DriveBox->addItem(QStringLiteral("/"), QStringLiteral("/"));
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString path = v.rootPath();
        if (path == QLatin1String("/") || DriveBox->findData(path) >= 0) continue;
        DriveBox->addItem(path, path);
    }
}

void TFilePane::setFolder(const QString& folder) {
    QString f = QDir::cleanPath(folder);
    if (f.isEmpty() || !QDir(f).exists()) f = QDir::homePath();
    folder_ = f;
    // The drive is the longest mount point the folder lies on.
    int best = 0, bestLength = 0;
    for (int i = 0; i < DriveBox->count(); ++i) {
        const QString root = DriveBox->itemData(i).toString();
        const bool on = root == QLatin1String("/") || f == root || f.startsWith(root + QLatin1Char('/'));
        if (on && root.size() > bestLength) {
            best = i;
            bestLength = static_cast<int>(root.size());
        }
    }
    DriveBox->setCurrentIndex(best);
    fillDirList();
    refreshFiles();
}

void TFilePane::fillDirList() {
    DirList->clear();
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    for (const tv::DirListItem& d : tv::DirListItems(folder_.toStdString())) {
        auto* item = new QListWidgetItem(fromStd(d.name), DirList);
        item->setData(kPathRole, fromStd(d.path));
        item->setData(kLevelRole, d.level);
        item->setIcon(d.current || d.path.size() < static_cast<std::size_t>(folder_.size()) ? open : closed);
        if (d.current) DirList->setCurrentItem(item);
    }
}

int TFilePane::filterIndex() const { return FilterBox->currentIndex(); }

void TFilePane::setFilterIndex(int index) {
    if (index < 0 || index >= FilterBox->count()) index = 0;
    FilterBox->setCurrentIndex(index);
    refreshFiles();
}

void TFilePane::refreshFiles() {
    FileList->clear();
    if (folder_.isEmpty()) return;
    const std::string masks = FilterBox->currentData().toString().toStdString();
    const QString base = folder_ == QLatin1String("/") ? QString() : folder_;
    for (const std::string& name : tv::FolderFiles(folder_.toStdString(), masks)) {
        auto* item = new QListWidgetItem(fromStd(name), FileList);
        item->setData(kPathRole, base + QLatin1Char('/') + fromStd(name));
    }
    layoutFileList();
}

void TFilePane::layoutFileList() {
    const int columns = tv::FileListColumns(Panel2->width());
    FileList->setWrapping(columns > 1);
    FileList->setHorizontalScrollBarPolicy(columns > 1 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    const int width = FileList->viewport()->width() / columns - 1;
    FileList->setGridSize(QSize(std::max(width, 20), kRowHeight));
}

QString TFilePane::selectedDiskFile() const {
    const QListWidgetItem* item = FileList->currentItem();
    return item && item->isSelected() ? item->data(kPathRole).toString() : QString();
}

bool TFilePane::eventFilter(QObject* watched, QEvent* e) {
    if (watched == FileList && e->type() == QEvent::Resize) layoutFileList();
    return QWidget::eventFilter(watched, e);
}

void TFilePane::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layoutFileList();
}

namespace {
constexpr int kListRoom = 80;  // pixels kept for the list below a grab bar
}

bool TFilePane::event(QEvent* e) {
    // The grab bars take their stored places once the pages have a size.
    if (e->type() == QEvent::LayoutRequest || e->type() == QEvent::Show || e->type() == QEvent::Resize) {
        for (auto [bar, wanted] : {std::pair{GrabBar1, &wantedFolderArea_}, std::pair{GrabBar2, &wantedTree_}}) {
            if (*wanted < 0 || !bar->isVisible() || bar->height() <= 0) continue;
            // The list below keeps room for a few rows in a small frame.
            const int room = bar->height() - bar->handleWidth();
            const int top = std::min(*wanted, room - std::min(kListRoom, room / 2));
            if (top < 20) continue;
            bar->setSizes({top, room - top});
            // A place cut short by a pane not yet at its size is tried again
            // as it grows (until the user moves the bar).
            if (top == *wanted) *wanted = -1;
        }
    }
    return QWidget::event(e);
}

int TFilePane::folderAreaHeight() const { return wantedFolderArea_ >= 0 ? wantedFolderArea_ : GrabBar1->sizes().value(0); }
int TFilePane::treeHeight() const { return wantedTree_ >= 0 ? wantedTree_ : GrabBar2->sizes().value(0); }
void TFilePane::setFolderAreaHeight(int h) { wantedFolderArea_ = std::max(h, 20); }
void TFilePane::setTreeHeight(int h) { wantedTree_ = std::max(h, 20); }

// --- the project ------------------------------------------------------------------------------

void TFilePane::clearTree() {
    const QSignalBlocker block(TreeView1);
    TreeView1->clear();
    ListBox1->clear();
}

QTreeWidgetItem* TFilePane::AddProjectNode(QTreeWidgetItem* parent, tv::TProject* folder) {
    const QSignalBlocker block(TreeView1);
    // Every node shares one icon: a project may hold tens of thousands of
    // folders, and each icon of its own would cost its own pixmap cache.
    if (folderIcon_.isNull()) folderIcon_ = style()->standardIcon(QStyle::SP_DirIcon);
    return addProjectNodes(parent, folder, folderIcon_);
}

QTreeWidgetItem* TFilePane::addProjectNodes(QTreeWidgetItem* parent, tv::TProject* folder, const QIcon& icon) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TreeView1);
    node->setText(0, fromStd(folder->Title()));
    node->setData(0, kPathRole, QVariant::fromValue(reinterpret_cast<quintptr>(folder)));
    node->setIcon(0, icon);
    node->setFlags(node->flags() | Qt::ItemIsEditable | Qt::ItemIsDropEnabled);
    for (int i = 0; i < folder->FolderCount(); ++i) addProjectNodes(node, folder->GetFolder(i), icon);
    return node;
}

void TFilePane::showRoot() {
    QTreeWidgetItem* top = TreeView1->topLevelItem(0);
    if (!top) top = AddProjectNode(nullptr, &root_);
    TreeView1->expandItem(top);
    TreeView1->setCurrentItem(top);
    listFolderFiles();
}

tv::TProject* TFilePane::folderOf(const QTreeWidgetItem* item) const {
    return item ? reinterpret_cast<tv::TProject*>(item->data(0, kPathRole).value<quintptr>()) : nullptr;
}

tv::TProject* TFilePane::selectedFolder() const { return folderOf(TreeView1->currentItem()); }

void TFilePane::listFolderFiles() {
    ListBox1->clear();
    tv::TProject* f = selectedFolder();
    if (!f) return;
    std::vector<std::string> files = f->Files();
    tv::SortNoCase(files);
    for (const std::string& name : files) {
        auto* item = new QListWidgetItem(fromStd(name), ListBox1);
        item->setData(kPathRole, fromStd(name));
    }
}

QString TFilePane::selectedProjectFile() const {
    const QListWidgetItem* item = ListBox1->currentItem();
    return item && item->isSelected() ? item->data(kPathRole).toString() : QString();
}

void TFilePane::addToSelectedFolder(const QString& file) {
    tv::TProject* f = selectedFolder();
    if (f && f->AddFile(file.toStdString())) listFolderFiles();
}

void TFilePane::AddFiles1Click() {
    if (!selectedFolder()) return;
    Prompter::OpenRequest req{QStringLiteral("Select Documents"), folder_, QString::fromLatin1(kSelectFilter)};
    for (const QString& file : prompter().openFileNames(this, req))
        if (tv::fileExists(file.toStdString())) addToSelectedFolder(file);
}

void TFilePane::AddFolder1Click() {
    QTreeWidgetItem* node = TreeView1->currentItem();
    tv::TProject* f = folderOf(node);
    if (!f) return;
    tv::TProject* added = f->AddFolder();
    if (!added) {
        prompter().message(this, QStringLiteral("Taviron"),
                           QStringLiteral("This folder holds as many sub-folders as a project can keep."),
                           Prompter::Icon::Warning);
        return;
    }
    QTreeWidgetItem* child = AddProjectNode(node, added);
    TreeView1->expandItem(node);
    TreeView1->expandItem(child);
    TreeView1->setCurrentItem(child);
}

void TFilePane::DeleteFolder1Click() {
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

void TFilePane::RemoveFile1Click() {
    tv::TProject* f = selectedFolder();
    const QString file = selectedProjectFile();
    if (!f || file.isEmpty()) return;
    f->RemoveFile(file.toStdString());
    delete ListBox1->currentItem();
}

void TFilePane::moveFile(QTreeWidgetItem* target, const QString& file) {
    tv::TProject* from = selectedFolder();
    tv::TProject* to = folderOf(target);
    if (!from || !to || from == to) return;
    from->RemoveFile(file.toStdString());
    to->AppendFile(file.toStdString());
    listFolderFiles();
}
