// The frame's side of the file pane: what a file of its lists does, showing
// the pane and its pages, and the Project menu's commands that involve the
// frame (the pane keeps the project file itself).
#include "app/mainform.h"

#include "base/doctext.h"

#include "app/documents.h"

#include "base/docfile.h"
#include "files/diskpane.h"
#include "files/filepane.h"
#include "files/filepaneui.h"
#include "files/projectpane.h"
#include "window/mdichild.h"

#include <QDesktopServices>
#include <QTabWidget>
#include <QUrl>

void TMainForm::createFilePane() {
    FilePanel = new TFilePane(this);
    PaneFileActions& a = FilePanel->actions;
    a.textExtensions = [this] { return settings_.textExt; };
    a.hasDocument = [this] { return activeDocument() != nullptr; };
    a.openDocument = [this](const QString& file) {
        try {
            OpenDocument(file);
        } catch (const tv::FileError& e) {
            showError(fromStd(e.what()));
        }
    };
    a.shellOpen = [](const QString& file) { QDesktopServices::openUrl(QUrl::fromLocalFile(file)); };
    a.makeTag = [this](const QString& file, bool image) {
        TMDIChild* c = activeDocument();
        if (!c) return;
        if (image) c->MakeImageTag(file.toStdString());
        else c->MakeLinkTag(file.toStdString());
    };
    a.onHint = [this](const QString& hint) { ShowApplicationHint(hint); };
    TProjectPane* p = projectPane();
    p->updateFiles = [this](const QStringList& files) { docs_->UpdateFolderFiles(files); };
    p->startFolder = [this] { return diskPane()->folder(); };
    p->fileNameChanged = [this] {
        settings_.projFile = toStd(projectPane()->fileName());
        noteSettingsChanged();
    };
    p->showRoot();
}

TDiskPane* TMainForm::diskPane() const { return FilePanel->disk(); }
TProjectPane* TMainForm::projectPane() const { return FilePanel->project(); }
tv::TProject& TMainForm::project() { return projectPane()->project(); }
QString TMainForm::ProjectFileName() const { return projectPane()->fileName(); }

// --- the pane ---------------------------------------------------------------------------

void TMainForm::setFilePaneVisible(bool visible) { showPane("FileList", visible); }

void TMainForm::showPanePage(int page) {
    FilePanel->setPage(page);
    if (!paneShown("FileList")) setFilePaneVisible(true);
}

void TMainForm::ToggleFileList1Click() {
    FilePanel->setPage(FilePanel->page() == TFilePane::DiskPage ? TFilePane::ProjectPage : TFilePane::DiskPage);
}

void TMainForm::vListBtnClick() {
    const tv::PaneView next = tv::ListButtonStep({paneShown("FileList"), FilePanel->page()});
    FilePanel->setPage(next.page);
    setFilePaneVisible(next.visible);
}

// --- the project ------------------------------------------------------------------------------

bool TMainForm::OpenProject(const QString& fileName) { return projectPane()->open(fileName); }

void TMainForm::NewProject1Click() {
    if (!projectPane()->close()) return;
    projectPane()->showRoot();
    showPanePage(TFilePane::ProjectPage);
}

void TMainForm::OpenProject1Click() {
    if (projectPane()->openChosen()) showPanePage(TFilePane::ProjectPage);
}

void TMainForm::CloseProject1Click() {
    if (projectPane()->close()) FilePanel->setPage(TFilePane::DiskPage);
}

void TMainForm::AddCurrentFile1Click() {
    TMDIChild* c = activeDocument();
    if (!c || !projectPane()->selectedFolder()) return;
    if (c->IsUntitled() && !docs_->SaveAs(c)) return;
    projectPane()->addToSelectedFolder(c->FileName());
}
