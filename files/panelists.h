// What the disk pane and the project pane share: their lists of files, the
// grab bar between a pane's two areas, and what a file of a list does when
// it is opened or made into a tag.
#pragma once

#include "base/filekind.h"

#include <QListWidget>
#include <QSplitter>
#include <functional>
#include <string>
#include <vector>

class QMenu;
class QMimeData;

namespace files {
inline constexpr int kRowHeight = 18;
inline constexpr int kPathRole = Qt::UserRole + 1;  // a row's full path
}

// The frame's side of the file lists: file kinds, the active document, and
// what opening and tagging a file does.
struct PaneFileActions {
    std::function<std::vector<std::string>()> textExtensions;
    std::function<bool()> hasDocument;
    std::function<void(const QString&)> openDocument;
    std::function<void(const QString&)> shellOpen;  // the desktop's program for the file
    std::function<void(const QString&, bool image)> makeTag;  // the image or link dialog
    std::function<void(const QString&)> onHint;

    tv::FileKind kindOf(const QString& file) const;
    bool documentOpen() const { return hasDocument && hasDocument(); }
    // Double-click (`doubleClick`) or "&Open" on a file: a page opens as a
    // document; another file double-clicked becomes a tag in the active
    // document, opened with "&Open" goes to the desktop's program.
    void fileAction(const QString& file, bool doubleClick) const;
    // "Make &Tag...": an image tag for a picture, a link for anything else.
    void makeTagOf(const QString& file) const;
    // The picture of a file's kind (picture, page, other file).
    QIcon kindIcon(const QWidget* widget, const QString& file) const;
};

// An item of a pane's menu, named for the exerciser and the tests.
QAction* addMenuItem(QMenu* menu, const char* name, const QString& text);

// A list of a pane: any mouse button selects the row under the mouse,
// rows are dragged as files, and the row under the mouse is reported as the
// hint.
class TPaneList : public QListWidget {
    Q_OBJECT
public:
    explicit TPaneList(const QString& name, QWidget* parent);
    std::function<void(const QString&)> onHint;
    // The full path of the selected row, or nothing.
    QString selectedPath() const;
    static QString pathOf(const QListWidgetItem* item);

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    // The hint goes when the pointer leaves the list.
    void leaveEvent(QEvent* e) override;
    // Rows are only ever copied out: the list itself never loses a row.
    void startDrag(Qt::DropActions supportedActions) override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
};

// The bar between a pane's upper area, which keeps its height as the pane
// grows or shrinks, and the list below, which takes the difference. In a
// pane too small for both the list keeps room for a few rows, and the upper
// area gets its height back as the pane grows again. The place is the one
// set (a stored one, applied once the pane has its size) or the one the user
// moved the bar to.
class TGrabBar : public QSplitter {
    Q_OBJECT
public:
    explicit TGrabBar(const QString& name, QWidget* parent = nullptr);
    void setAreas(QWidget* upper, QWidget* lower);
    // The height the upper area is to have.
    int place() const;
    void setPlace(int height);

protected:
    bool event(QEvent* e) override;

private:
    void applyPlace();
    int wanted_ = -1;  // -1: none set or moved to yet
};
