#include "files/diskpane.h"

#include "base/doctext.h"
#include "files/filepane.h"

#include <algorithm>

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {
constexpr int kLevelRole = Qt::UserRole + 2;  // a folder's depth in the folder list

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
        return {1 + index.data(kLevelRole).toInt() * kIndent + 20 + width + 4, files::kRowHeight};
    }
};

// An area of the page: a box at the top, a list below it taking the rest.
QWidget* area(const char* name, QWidget* box, QWidget* list) {
    auto* w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(box);
    layout->addWidget(list, 1);
    return w;
}
} // namespace

TDiskPane::TDiskPane(const PaneFileActions& actions, QWidget* parent) : QWidget(parent), actions_(actions) {
    setObjectName(QStringLiteral("DiskPane"));
    DriveBox = new QComboBox;
    DriveBox->setObjectName(QStringLiteral("DriveBox"));
    DirList = new QListWidget;
    DirList->setObjectName(QStringLiteral("DirList"));
    DirList->setItemDelegate(new FolderRowDelegate(DirList));
    DirList->setIconSize(QSize(16, 16));
    DirList->setUniformItemSizes(true);
    DirList->setMinimumHeight(24);
    FilterBox = new QComboBox;
    FilterBox->setObjectName(QStringLiteral("FilterBox"));
    for (const tv::FilterEntry& f : tv::SplitFilter(tv::kPaneFilter))
        FilterBox->addItem(fromStd(f.name), fromStd(f.masks));
    FileList = new TPaneList(QStringLiteral("FileList"), nullptr);
    FileList->setViewMode(QListView::ListMode);
    FileList->setFlow(QListView::TopToBottom);
    FileList->setResizeMode(QListView::Adjust);
    FileList->installEventFilter(this);
    FileList->onHint = [this](const QString& h) {
        if (actions_.onHint) actions_.onHint(h);
    };

    // Drives and folders above the grab bar, filter and files below.
    GrabBar1 = new TGrabBar(QStringLiteral("GrabBar1"));
    Panel1 = area("Panel1", DriveBox, DirList);
    Panel2 = area("Panel2", FilterBox, FileList);
    GrabBar1->setAreas(Panel1, Panel2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(GrabBar1);

    connect(DriveBox, &QComboBox::activated, this, [this](int i) { setFolder(DriveBox->itemData(i).toString()); });
    connect(DirList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setFolder(item->data(files::kPathRole).toString()); });
    connect(FilterBox, &QComboBox::currentIndexChanged, this, [this] { refreshFiles(); });
    connect(FileList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { actions_.fileAction(TPaneList::pathOf(item), true); });
    buildPopup();
    fillDrives();
    setFilterIndex(0);
}

void TDiskPane::buildPopup() {
    FileListPopup = new QMenu(this);
    FileListPopup->setObjectName(QStringLiteral("FileListPopup"));
    FileOpen1 = addMenuItem(FileListPopup, "FileOpen1", QStringLiteral("&Open"));
    MakeTag1 = addMenuItem(FileListPopup, "MakeTag1", QStringLiteral("Make &Tag..."));
    FileListPopup->addSeparator();
    Refresh1 = addMenuItem(FileListPopup, "Refresh1", QStringLiteral("&Refresh"));
    connect(FileOpen1, &QAction::triggered, this, [this] { actions_.fileAction(selectedFile(), false); });
    connect(MakeTag1, &QAction::triggered, this, [this] { actions_.makeTagOf(selectedFile()); });
    connect(Refresh1, &QAction::triggered, this, [this] {
        fillDirList();
        refreshFiles();
    });
    FileList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FileList, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        updatePopup();
        FileListPopup->popup(FileList->mapToGlobal(pos));
    });
}

void TDiskPane::updatePopup() {
    const QString file = selectedFile();
    FileOpen1->setEnabled(!file.isEmpty());
    MakeTag1->setEnabled(actions_.documentOpen() && !file.isEmpty());
    FileListPopup->setDefaultAction(actions_.kindOf(file) == tv::FileKind::Text ? FileOpen1 : MakeTag1);
}

void TDiskPane::fillDrives() {
    DriveBox->clear();
    DriveBox->addItem(QStringLiteral("/"), QStringLiteral("/"));
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString path = v.rootPath();
        if (path == QLatin1String("/") || DriveBox->findData(path) >= 0) continue;
        DriveBox->addItem(path, path);
    }
}

void TDiskPane::setFolder(const QString& folder) {
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

void TDiskPane::fillDirList() {
    DirList->clear();
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    for (const tv::DirListItem& d : tv::DirListItems(folder_.toStdString())) {
        auto* item = new QListWidgetItem(fromStd(d.name), DirList);
        item->setData(files::kPathRole, fromStd(d.path));
        item->setData(kLevelRole, d.level);
        item->setIcon(d.current || d.path.size() < static_cast<std::size_t>(folder_.size()) ? open : closed);
        if (d.current) DirList->setCurrentItem(item);
    }
}

int TDiskPane::filterIndex() const { return FilterBox->currentIndex(); }

void TDiskPane::setFilterIndex(int index) {
    if (index < 0 || index >= FilterBox->count()) index = 0;
    FilterBox->setCurrentIndex(index);
    refreshFiles();
}

void TDiskPane::refreshFiles() {
    FileList->clear();
    if (folder_.isEmpty()) return;
    const std::string masks = FilterBox->currentData().toString().toStdString();
    const QString base = folder_ == QLatin1String("/") ? QString() : folder_;
    for (const std::string& name : tv::FolderFiles(folder_.toStdString(), masks)) {
        auto* item = new QListWidgetItem(fromStd(name), FileList);
        item->setData(files::kPathRole, base + QLatin1Char('/') + fromStd(name));
    }
    layoutFileList();
}

void TDiskPane::layoutFileList() {
    const int columns = tv::FileListColumns(Panel2->width());
    FileList->setWrapping(columns > 1);
    FileList->setHorizontalScrollBarPolicy(columns > 1 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    const int width = FileList->viewport()->width() / columns - 1;
    FileList->setGridSize(QSize(std::max(width, 20), files::kRowHeight));
}

bool TDiskPane::eventFilter(QObject* watched, QEvent* e) {
    if (watched == FileList && e->type() == QEvent::Resize) layoutFileList();
    return QWidget::eventFilter(watched, e);
}

void TDiskPane::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layoutFileList();
}
