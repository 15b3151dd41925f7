// TDiskPane: the file pane's "Default" page. It browses the disk: the drive
// and the folders above its grab bar, the filter and the folder's files
// below. Files are opened, made into tags or dragged into a document.
#pragma once

#include "files/panelists.h"

#include <QWidget>

class QComboBox;
class QMenu;

class TDiskPane : public QWidget {
    Q_OBJECT
public:
    TDiskPane(const PaneFileActions& actions, QWidget* parent);

    TGrabBar* GrabBar1 = nullptr;
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

    // The folder shown by the folder list (the home folder for one that is
    // gone), and the filter.
    QString folder() const { return folder_; }
    void setFolder(const QString& folder);
    int filterIndex() const;
    void setFilterIndex(int index);
    void refreshFiles();
    QString selectedFile() const { return FileList->selectedPath(); }
    // What the list's menu offers for the selected file.
    void updatePopup();

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildPopup();
    void fillDrives();
    void fillDirList();
    void layoutFileList();

    const PaneFileActions& actions_;
    QString folder_;
};
