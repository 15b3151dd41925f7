#include "files/panelists.h"

#include "widgets/panedrag.h"

#include <algorithm>

#include <QDrag>
#include <QIcon>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>

tv::FileKind PaneFileActions::kindOf(const QString& file) const {
    return tv::GetFileKind(file.toStdString(), textExtensions ? textExtensions() : std::vector<std::string>{});
}

void PaneFileActions::fileAction(const QString& file, bool doubleClick) const {
    if (file.isEmpty()) return;
    const tv::FileKind kind = kindOf(file);
    if (kind == tv::FileKind::Text) {
        if (openDocument) openDocument(file);
        return;
    }
    if (!doubleClick) {
        if (shellOpen) shellOpen(file);
        return;
    }
    if (documentOpen() && makeTag) makeTag(file, kind == tv::FileKind::Image);
}

void PaneFileActions::makeTagOf(const QString& file) const {
    if (!file.isEmpty() && makeTag) makeTag(file, kindOf(file) == tv::FileKind::Image);
}

QIcon PaneFileActions::kindIcon(const QWidget* widget, const QString& file) const {
    switch (kindOf(file)) {
    case tv::FileKind::Image: {
        const QIcon themed = QIcon::fromTheme(QStringLiteral("image-x-generic"));
        return themed.isNull() ? widget->style()->standardIcon(QStyle::SP_FileDialogContentsView) : themed;
    }
    case tv::FileKind::Text: {
        const QIcon themed = QIcon::fromTheme(QStringLiteral("text-html"));
        return themed.isNull() ? widget->style()->standardIcon(QStyle::SP_FileIcon) : themed;
    }
    case tv::FileKind::Other: break;
    }
    return widget->style()->standardIcon(QStyle::SP_FileLinkIcon);
}

QAction* addMenuItem(QMenu* menu, const char* name, const QString& text) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

// --- lists -----------------------------------------------------------------------------

TPaneList::TPaneList(const QString& name, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
    setMinimumHeight(24);  // the grab bars may make any list small
}

QString TPaneList::pathOf(const QListWidgetItem* item) {
    return item ? item->data(files::kPathRole).toString() : QString();
}

QString TPaneList::selectedPath() const {
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? pathOf(item) : QString();
}

void TPaneList::mouseMoveEvent(QMouseEvent* e) {
    if (onHint) onHint(pathOf(itemAt(e->position().toPoint())));
    QListWidget::mouseMoveEvent(e);
}

void TPaneList::leaveEvent(QEvent* e) {
    if (onHint) onHint(QString());
    QListWidget::leaveEvent(e);
}

void TPaneList::startDrag(Qt::DropActions) {
    QListWidgetItem* item = currentItem();
    if (!item || !item->isSelected()) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(paneDragData(objectName(), pathOf(item)));
    drag->setPixmap(item->icon().pixmap(16, 16));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

QStringList TPaneList::mimeTypes() const { return {paneDragMimeType()}; }

QMimeData* TPaneList::mimeData(const QList<QListWidgetItem*>& items) const {
    if (items.isEmpty()) return nullptr;
    return paneDragData(objectName(), pathOf(items.first()));
}

// --- grab bars ---------------------------------------------------------------------------

namespace {
constexpr int kListRoom = 80;  // pixels kept for the list below a grab bar
constexpr int kLeast = 20;     // the least height of the upper area
}

TGrabBar::TGrabBar(const QString& name, QWidget* parent) : QSplitter(Qt::Vertical, parent) {
    setObjectName(name);
    setChildrenCollapsible(false);
    // A bar the user moves is where it stays.
    connect(this, &QSplitter::splitterMoved, this, [this] { wanted_ = sizes().value(0); });
}

void TGrabBar::setAreas(QWidget* upper, QWidget* lower) {
    addWidget(upper);
    addWidget(lower);
    // The upper area keeps its height; the list below takes what is left.
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
}

int TGrabBar::place() const { return wanted_ >= 0 ? wanted_ : sizes().value(0); }

void TGrabBar::setPlace(int height) {
    wanted_ = std::max(height, kLeast);
    applyPlace();
}

void TGrabBar::applyPlace() {
    if (wanted_ < 0 || count() < 2 || !isVisible() || height() <= 0) return;
    // The list below keeps room for a few rows in a small frame.
    const int room = height() - handleWidth();
    const int top = std::min(wanted_, room - std::min(kListRoom, room / 2));
    if (top < kLeast) return;
    if (sizes().value(0) != top) setSizes({top, room - top});
}

bool TGrabBar::event(QEvent* e) {
    const bool done = QSplitter::event(e);
    if (e->type() == QEvent::LayoutRequest || e->type() == QEvent::Show || e->type() == QEvent::Resize) applyPlace();
    return done;
}
