#include "widgets/panedrag.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>

QString paneDragMimeType() { return QStringLiteral("application/x-taviron-pane-file"); }

QMimeData* paneDragData(const QString& source, const QString& file) {
    auto* data = new QMimeData;
    const QString payload = QString::number(QCoreApplication::applicationPid()) + QLatin1Char('\n') + source +
                            QLatin1Char('\n') + file;
    data->setData(paneDragMimeType(), payload.toUtf8());
    return data;
}

std::optional<PaneDrag> paneDragOf(const QMimeData* data) {
    if (!data || !data->hasFormat(paneDragMimeType())) return std::nullopt;
    const QStringList parts = QString::fromUtf8(data->data(paneDragMimeType())).split(QLatin1Char('\n'));
    if (parts.size() != 3 || parts[0] != QString::number(QCoreApplication::applicationPid())) return std::nullopt;
    if (parts[1] != QLatin1String("FileList") && parts[1] != QLatin1String("ListBox1")) return std::nullopt;
    if (parts[2].isEmpty()) return std::nullopt;
    return PaneDrag{parts[1], parts[2]};
}

void acceptPaneDrag(QDropEvent* e) {
    e->setDropAction(Qt::CopyAction);
    e->accept();
}
