#include "files/filepaneui.h"

#include "files/diskpane.h"
#include "files/projectpane.h"

#include <QTabWidget>
#include <QVBoxLayout>

TFilePane::TFilePane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FilePanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Notebook1 = new QTabWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    Notebook1->setTabPosition(QTabWidget::South);
    // Both page names stay readable: the pane is never narrower than its tabs.
    Notebook1->setUsesScrollButtons(false);
    Notebook1->setElideMode(Qt::ElideNone);
    layout->addWidget(Notebook1);
    disk_ = new TDiskPane(actions, Notebook1);
    project_ = new TProjectPane(actions, Notebook1);
    Notebook1->addTab(disk_, QStringLiteral("Default"));
    Notebook1->addTab(project_, QStringLiteral("Project"));
}

int TFilePane::page() const { return Notebook1->currentIndex(); }

void TFilePane::setPage(int page) { Notebook1->setCurrentIndex(page == ProjectPage ? ProjectPage : DiskPage); }
