// The frame's side of the preview pane: it hosts the pane, shows it the
// active document, tells it of saves, and opens what is clicked in it. A
// build without the preview makes none of it.
#include "app/mainform.h"

#ifdef TAVIRON_PREVIEW
#include "app/documents.h"
#include "app/recovery.h"
#include "base/doctext.h"
#include "base/paths.h"
#include "base/settings.h"
#include "files/filepaneui.h"
#include "preview/previewpane.h"
#include "window/mdichild.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

void TMainForm::createPreviewPane() {
    PreviewPanel = new TPreviewPane(this);
    PreviewPanel->openPage = [this](const QString& file) { FilePanel->actions.fileAction(file, false); };
    PreviewPanel->openOutside = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    PreviewPanel->setGuardedFolders({fromStd(tv::folderOf(tv::recoveryFolder())), fromStd(tv::folderOf(tv::settingsFilePath()))});
    hostPane(PreviewPanel, {"PreviewPane", "Preview", "PreviewPane1", "Preview &Pane",
                            "Preview Pane|Show or hide the page rendered beside its source", Qt::RightDockWidgetArea, 420,
                            "Shift+F12"});
    connect(docs_, &TDocumentManager::documentSaved, this,
            [this](TMDIChild* child) { PreviewPanel->documentSaved(&child->document()); });
}

void TMainForm::previewFollow() {
    if (!PreviewPanel) return;
    TMDIChild* c = activeDocument();
    // An untitled page's addresses resolve against the project's folder.
    const QString project = ProjectFileName();
    const QString folder = QDir::isAbsolutePath(project) ? QFileInfo(project).absolutePath() : QDir::homePath();
    PreviewPanel->setView(c ? c->view() : nullptr, folder);
}

void TMainForm::applyPreviewOptions() {
    if (PreviewPanel)
        PreviewPanel->setRefresh(static_cast<TPreviewPane::Refresh>(settings_.previewRefresh), settings_.previewPause);
}

#else

void TMainForm::createPreviewPane() {}
void TMainForm::previewFollow() {}
void TMainForm::applyPreviewOptions() {}

#endif
