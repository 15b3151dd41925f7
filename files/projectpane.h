// TProjectPane: the file pane's "Project" page and the project it shows.
// The project's folder tree is above the grab bar, the files of the
// selected folder below; files are dragged from the list into a document or
// onto another folder. The pane also keeps the project file: new, open,
// save, save as and close, asking before a modified project is given up.
#pragma once

#include "files/panelists.h"

#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QMenu;

namespace tv {
class TProject;
}

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

class TProjectPane : public QWidget {
    Q_OBJECT
public:
    TProjectPane(const PaneFileActions& actions, QWidget* parent);
    ~TProjectPane() override;

    TGrabBar* GrabBar2 = nullptr;
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

    // The frame's side: filling the macros and include blocks of files, the
    // folder "&Add Files..." starts in, and the project file's name changed.
    std::function<void(const QStringList&)> updateFiles;
    std::function<QString()> startFolder;
    std::function<void()> fileNameChanged;

    tv::TProject& project() { return *root_; }
    // The project file ("Untitled.vkp" until it is saved under a name).
    QString fileName() const { return QString::fromStdString(fileName_); }
    // The name the frame last kept, set without reading anything.
    void setFileName(const std::string& name) { fileName_ = name; }

    // Asks whether to save a modified project; false when cancelled or the
    // save failed.
    bool querySave();
    // Gives up the project (after asking) for an empty untitled one.
    bool close();
    // Opens a project file; a damaged one is refused before anything is
    // asked or given up. An absent one starts an empty project of that name.
    bool open(const QString& fileName);
    // "&Open...": the file chosen in the open dialog.
    bool openChosen();
    bool save();
    bool saveAs();

    // The project tree.
    void clearTree();
    QTreeWidgetItem* addProjectNode(QTreeWidgetItem* parent, tv::TProject* folder);
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
    QString selectedFile() const { return ListBox1->selectedPath(); }
    // What the tree's and the list's menus offer for the selection.
    void updatePopups();

private:
    QTreeWidgetItem* addProjectNodes(QTreeWidgetItem* parent, tv::TProject* folder, const QIcon& icon);
    void buildPopups();
    void AddFolder1Click();
    void DeleteFolder1Click();
    void RemoveFile1Click();
    void moveFile(QTreeWidgetItem* target, const QString& file);
    void setFileNameAndTell(const std::string& name);
    void showError(const QString& text);

    const PaneFileActions& actions_;
    std::unique_ptr<tv::TProject> root_;
    std::string fileName_;
    QIcon folderIcon_;
};
