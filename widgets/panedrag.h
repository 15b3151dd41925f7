// The drag data of a file dragged from one of the file pane's lists. Only
// this process reads it back; the desktop's file drags are file URLs.
#pragma once

#include <QString>
#include <optional>

class QDropEvent;
class QMimeData;

struct PaneDrag {
    QString source;  // "FileList" or "ListBox1"
    QString file;    // full path
};

QMimeData* paneDragData(const QString& source, const QString& file);
// The file, when the data comes from a pane list of this process.
std::optional<PaneDrag> paneDragOf(const QMimeData* data);
QString paneDragMimeType();
// Takes a pane drag as a copy, so the list it came from keeps its row.
void acceptPaneDrag(QDropEvent* e);
