// TFilePane: the frame's file pane, two pages on tabs at its foot: the disk
// ("Default") and the open project ("Project"). The frame fills in what a
// file of either list does; each page is a pane of its own.
#pragma once

#include "files/panelists.h"

#include <QWidget>

class QTabWidget;
class TDiskPane;
class TProjectPane;

class TFilePane : public QWidget {
    Q_OBJECT
public:
    explicit TFilePane(QWidget* parent);

    // What opening, tagging and hinting a file does; shared by both pages.
    PaneFileActions actions;
    QTabWidget* Notebook1 = nullptr;
    TDiskPane* disk() const { return disk_; }
    TProjectPane* project() const { return project_; }

    enum Page { DiskPage = 0, ProjectPage = 1 };
    int page() const;
    void setPage(int page);

private:
    TDiskPane* disk_ = nullptr;
    TProjectPane* project_ = nullptr;
};
