// The frame's file pane and project commands: the Project menu, asking to
// save a modified project, and what the pane's lists do with a file.
#include "app/mainform.h"

#include "base/doctext.h"

#include "app/documents.h"

#include "base/docfile.h"
#include "app/filepane.h"
#include "app/filepaneui.h"
#include "base/paths.h"
#include "base/prompter.h"
#include "window/mdichild.h"

#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTabWidget>
#include <QUrl>

namespace {
const QString kCaption = QStringLiteral("Taviron");
} // namespace

void TMainForm::createFilePane() {
    FilePanel = new TFilePane(*project_, this);
    FilePanel->textExtensions = [this] { return settings_.textExt; };
    FilePanel->hasDocument = [this] { return activeDocument() != nullptr; };
    FilePanel->openDocument = [this](const QString& file) {
        try {
            OpenDocument(file);
        } catch (const tv::FileError& e) {
            showError(fromStd(e.what()));
        }
    };
    FilePanel->shellOpen = [](const QString& file) { QDesktopServices::openUrl(QUrl::fromLocalFile(file)); };
    FilePanel->makeTag = [this](const QString& file, bool image) {
        TMDIChild* c = activeDocument();
        if (!c) return;
        if (image) c->MakeImageTag(file.toStdString());
        else c->MakeLinkTag(file.toStdString());
    };
    FilePanel->updateFiles = [this](const QStringList& files) { docs_->UpdateFolderFiles(files); };
    FilePanel->onHint = [this](const QString& hint) { ShowApplicationHint(hint); };
    FilePanel->showRoot();
}

// --- the pane ---------------------------------------------------------------------------

void TMainForm::setFilePaneVisible(bool visible) { showPane("FileList", visible); }

void TMainForm::showPanePage(int page) {
    FilePanel->Notebook1->setCurrentIndex(page);
    if (!paneShown("FileList")) setFilePaneVisible(true);
}

void TMainForm::ToggleFileList1Click() {
    FilePanel->Notebook1->setCurrentIndex(FilePanel->Notebook1->currentIndex() == 0 ? 1 : 0);
}

void TMainForm::vListBtnClick() {
    const tv::PaneView next = tv::ListButtonStep({paneShown("FileList"), FilePanel->Notebook1->currentIndex()});
    FilePanel->Notebook1->setCurrentIndex(next.page);
    setFilePaneVisible(next.visible);
}

// --- the project ------------------------------------------------------------------------------

bool TMainForm::QuerySaveProject() {
    if (!project_->ProjectModified()) return true;
    if (settings_.projFile == tv::kUntitledProject) return SaveProject1Click();
    const auto answer =
        prompter().ask(this, {kCaption, QStringLiteral("Save changes to ") + ProjectFileName() + QStringLiteral("?"),
                              Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Yes, Prompter::Icon::Question});
    if (answer == Prompter::Cancel) return false;
    if (answer == Prompter::Yes) return SaveProject1Click();
    return true;
}

bool TMainForm::CloseProject() {
    if (!QuerySaveProject()) return false;
    FilePanel->clearTree();
    project_->Clear();
    settings_.projFile = tv::kUntitledProject;
    noteSettingsChanged();
    return true;
}

bool TMainForm::OpenProject(const QString& fileName) {
    const std::string name = fileName.toStdString();
    // A damaged file is refused before anything is asked or given up (a
    // project file is small; reading it twice costs nothing).
    if (tv::fileExists(name)) {
        try {
            tv::TProject probe;
            probe.LoadFromFile(name);
        } catch (const tv::ProjectError& e) {
            showError(fromStd(e.what()));
            return false;
        }
    }
    if (!CloseProject()) return false;
    if (tv::fileExists(name)) {
        try {
            project_->LoadFromFile(name);
        } catch (const tv::ProjectError& e) {
            showError(fromStd(e.what()));
        }
    }
    FilePanel->showRoot();
    settings_.projFile = name;
    noteSettingsChanged();
    return true;
}

void TMainForm::NewProject1Click() {
    if (!CloseProject()) return;
    FilePanel->showRoot();
    showPanePage(1);
}

void TMainForm::OpenProject1Click() {
    Prompter::OpenRequest req{QStringLiteral("Open Project"), fromStd(tv::programFolder()),
                              QStringLiteral("Taviron Projects (*.vkp)|*.vkp")};
    const auto name = prompter().openFileName(this, req);
    if (!name || !tv::fileExists(name->toStdString())) return;
    if (OpenProject(*name)) showPanePage(1);
}

bool TMainForm::SaveProject1Click() {
    if (settings_.projFile == tv::kUntitledProject) return SaveProjectAs1Click();
    try {
        project_->SaveToFile(settings_.projFile);
    } catch (const tv::ProjectError& e) {
        showError(fromStd(e.what()));
        return false;
    }
    return true;
}

bool TMainForm::SaveProjectAs1Click() {
    Prompter::SaveRequest req{QStringLiteral("Save Project As"), ProjectFileName(),
                              QStringLiteral("Taviron Project file (*.vkp)|*.vkp"), 1, QStringLiteral("vkp")};
    const auto answer = prompter().saveFileName(this, req);
    if (!answer) return false;
    const std::string old = settings_.projFile;
    settings_.projFile = answer->fileName.toStdString();
    noteSettingsChanged();
    if (SaveProject1Click()) return true;
    settings_.projFile = old;  // nothing was written under the new name
    return false;
}

void TMainForm::CloseProject1Click() {
    if (!CloseProject()) return;
    FilePanel->Notebook1->setCurrentIndex(0);
}

void TMainForm::AddCurrentFile1Click() {
    TMDIChild* c = activeDocument();
    if (!c || !FilePanel->selectedFolder()) return;
    if (c->IsUntitled() && !docs_->SaveAs(c)) return;
    FilePanel->addToSelectedFolder(c->FileName());
}
