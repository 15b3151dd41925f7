// TFilePane: the frame's left pane. Page "Default" browses the disk (drive,
// folder, filter and file lists); page "Project" shows the open project's
// folder tree and the files of the selected folder. Files are dragged from
// either list into a document, and from the project list onto a folder.
#pragma once

#include "widgets/panedrag.h"

#include <QListWidget>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QMenu;
class QMimeData;
class QSplitter;
class QTabWidget;

namespace tv {
class TProject;
}

// A list of the pane: any mouse button selects the row under the mouse,
// rows are dragged as files, and the row under the mouse is reported as the
// hint.
class TPaneList : public QListWidget {
    Q_OBJECT
public:
    explicit TPaneList(const QString& name, QWidget* parent);
    // The full path of a row.
    std::function<QString(const QListWidgetItem*)> pathOf;
    std::function<void(const QString&)> onHint;

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    // The hint goes when the pointer leaves the list.
    void leaveEvent(QEvent* e) override;
    // Rows are only ever copied out: the list itself never loses a row.
    void startDrag(Qt::DropActions supportedActions) override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
};

// The project's folder tree: takes files dragged from the project list.
class TProjectTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit TProjectTree(QWidget* parent);
    // A file of the selected folder dropped on another folder's node.
    std::function<void(QTreeWidgetItem* target, const QString& file)> onMoveFile;
    // Whether the project list has a selected row (only then may it drag).
    std::function<bool()> sourceHasSelection;

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    bool accepts(const QMimeData* data) const;
    void setTarget(QTreeWidgetItem* item);
    QTreeWidgetItem* target_ = nullptr;
};

class TFilePane : public QWidget {
    Q_OBJECT
public:
    TFilePane(tv::TProject& root, QWidget* parent);

    QTabWidget* Notebook1 = nullptr;
    // "Default" page.
    QSplitter* GrabBar1 = nullptr;
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QComboBox* DriveBox = nullptr;
    QListWidget* DirList = nullptr;
    QComboBox* FilterBox = nullptr;
    TPaneList* FileList = nullptr;
    QMenu* FileListPopup = nullptr;
    QAction* FileOpen1 = nullptr;
    QAction* MakeTag1 = nullptr;
    QAction* Refresh1 = nullptr;
    // "Project" page.
    QSplitter* GrabBar2 = nullptr;
    TProjectTree* TreeView1 = nullptr;
    TPaneList* ListBox1 = nullptr;
    QMenu* TreePopup = nullptr;
    QAction* TreeAddFiles1 = nullptr;
    QAction* AddFolder1 = nullptr;
    QAction* DeleteFolder1 = nullptr;
    QAction* UpdateFiles1 = nullptr;
    QMenu* ProjListPopup = nullptr;
    QAction* ProjOpen1 = nullptr;
    QAction* ProjMakeTag1 = nullptr;
    QAction* ProjAddFiles1 = nullptr;
    QAction* RemoveFile1 = nullptr;

    // The frame's side: file kinds, the active document, and what opening,
    // tagging and updating files does.
    std::function<std::vector<std::string>()> textExtensions;
    std::function<bool()> hasDocument;
    std::function<void(const QString&)> openDocument;
    std::function<void(const QString&)> shellOpen;  // the desktop's program for the file
    std::function<void(const QString&, bool image)> makeTag;  // the image or link dialog
    std::function<void(const QStringList&)> updateFiles;
    std::function<void(const QString&)> onHint;

    // The folder shown by the folder list, and the filter.
    QString folder() const { return folder_; }
    void setFolder(const QString& folder);
    int filterIndex() const;
    void setFilterIndex(int index);
    void refreshFiles();

    // The project tree.
    void clearTree();
    QTreeWidgetItem* AddProjectNode(QTreeWidgetItem* parent, tv::TProject* folder);
    // The root's node, expanded and selected.
    void showRoot();
    tv::TProject* folderOf(const QTreeWidgetItem* item) const;
    tv::TProject* selectedFolder() const;
    // The files of the selected folder into the list.
    void listFolderFiles();
    // Adds files to the selected folder and the list ("&Add Files...").
    void AddFiles1Click();
    // Adds one file to the selected folder, unless it holds it already.
    void addToSelectedFolder(const QString& file);
    QString selectedProjectFile() const;
    QString selectedDiskFile() const;

    // Layout kept in the settings.
    int folderAreaHeight() const;
    int treeHeight() const;
    void setFolderAreaHeight(int h);
    void setTreeHeight(int h);

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QTreeWidgetItem* addProjectNodes(QTreeWidgetItem* parent, tv::TProject* folder, const QIcon& icon);
    QIcon folderIcon_;
    void fillDrives();
    void fillDirList();
    void buildPopups();
public:
    // Double-click (`doubleClick`) or "&Open" on a file of either list.
    void fileAction(const QString& file, bool doubleClick);
    void updatePopups();
    // The picture of a file's kind (picture, page, other file).
    QIcon kindIcon(const QString& file) const;

private:
    void AddFolder1Click();
    void DeleteFolder1Click();
    void RemoveFile1Click();
    void moveFile(QTreeWidgetItem* target, const QString& file);
    void layoutFileList();

    tv::TProject& root_;
    QString folder_;
    // Grab bar places still to be applied (-1: applied).
    int wantedFolderArea_ = -1, wantedTree_ = -1;
};
