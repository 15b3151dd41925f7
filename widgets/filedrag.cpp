#include "widgets/filedrag.h"

#include "base/paths.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {
QStringList localFiles(const QMimeData* mime) {
    QStringList out;
    if (!mime || !mime->hasUrls()) return out;
    for (const QUrl& u : mime->urls())
        if (u.isLocalFile()) out << u.toLocalFile();
    return out;
}
} // namespace

TFileDrag::TFileDrag(QWidget* owner) : QObject(owner), owner_(owner) {
    setObjectName(QStringLiteral("FileDrag1"));
    owner_->installEventFilter(this);
}

void TFileDrag::setEnableDrop(bool on) {
    enabled_ = on;
    owner_->setAcceptDrops(on);
}

bool TFileDrag::eventFilter(QObject* watched, QEvent* e) {
    if (watched != owner_ || !enabled_) return false;
    if (e->type() == QEvent::DragEnter || e->type() == QEvent::DragMove) {
        auto* d = static_cast<QDropEvent*>(e);
        if (localFiles(d->mimeData()).isEmpty()) return false;
        d->acceptProposedAction();
        return true;
    }
    if (e->type() != QEvent::Drop) return false;
    auto* d = static_cast<QDropEvent*>(e);
    const QStringList names = localFiles(d->mimeData());
    if (names.isEmpty()) return false;
    d->acceptProposedAction();
    NameWithPath.clear();
    NameOnly.clear();
    Extension.clear();
    for (const QString& n : names) {
        NameWithPath << n;
        const std::string only = tv::fileNameOnly(n.toStdString());
        NameOnly << QString::fromStdString(only);
        const std::size_t dot = only.rfind('.');
        Extension << (dot == std::string::npos ? QString() : QString::fromStdString(only.substr(dot + 1)));
    }
    FileCount = static_cast<int>(names.size());
    if (OnDrop) OnDrop();
    return true;
}
