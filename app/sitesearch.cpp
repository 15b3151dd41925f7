// The frame's search and replace across files: the search dialog's
// multi-file state, with its results and progress windows.
#include "base/docfile.h"
#include "files/filepaneui.h"
#include "app/mainform.h"

#include "app/documents.h"

#include "base/prompter.h"
#include "window/mdichild.h"
#include "text/search.h"
#include "text/entities.h"
#include "tools/multisearch.h"
#include "tools/searchbox.h"
#include "tools/searchwindows.h"
#include "widgets/historycombo.h"

#include <QListWidget>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kCaption = QStringLiteral("Taviron");
}

std::vector<std::string> TMainForm::searchFiles() {
    Tsearchbox* box = searchBox();
    std::vector<std::string> files;
    if (box->dir->isChecked()) {
        const std::string folder = box->directory->currentText().toStdString();
        if (folder.empty()) return files;
        tv::CollectFolderFiles(folder, box->subdirs->isChecked(), settings_.textExt, files);
    }
    if (box->proj->isChecked()) {
        // The list was filled when the dialog was shown; its row is the
        // folder's place in the tree, root first, depth first.
        const std::vector<tv::TProject*> folders = tv::ListProjectFolders(project());
        const int row = box->project->currentIndex();
        if (row < 0 || row >= static_cast<int>(folders.size())) return files;
        tv::CollectProjectFiles(*folders[static_cast<std::size_t>(row)], box->subproj->isChecked(), settings_.textExt,
                                files);
    }
    // A file reached by two names (a link) is searched and replaced once.
    return tv::eachFileOnce(files);
}

void TMainForm::FindInFiles() {
    Tsearchbox* box = searchBox();
    const std::string find = box->findText();
    if (find.empty() || !(box->dir->isChecked() || box->proj->isChecked())) return;
    if (box->dir->isChecked() && box->directory->currentText().isEmpty()) return;
    if (box->proj->isChecked() && box->project->currentIndex() < 0) return;  // no project folder chosen
    const std::vector<std::string> files = searchFiles();
    const bool caseSensitive = box->matchcase->isChecked();
    TFoundBox* found = FoundPane;
    if (!found->finished) return;  // a search runs already; its pane shows it
    const std::string kept = caseSensitive ? find : tv::upperAscii(find);
    found->onOpen = [this, kept](const QString& name) {
        TMDIChild* c = nullptr;
        try {
            c = OpenDocument(name);
        } catch (const tv::FileError& e) {
            showError(QString::fromStdString(e.what()));
        }
        if (c) c->FindNext(kept);
    };
    found->start(static_cast<int>(files.size()));
    showPane("SearchResults", true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<std::string> hits;
    tv::FindCallbacks cb;
    cb.progress = [&](std::size_t index, std::size_t count) {
        if (found->List->count() < static_cast<int>(count)) {
            // Each found page with the picture of its kind, as the file list shows it.
            const QString file = QString::fromStdString(hits.back());
            found->List->addItem(new QListWidgetItem(FilePanel->actions.kindIcon(this, file), file));
        }
        found->Label1->setText(QStringLiteral("%1 files found.").arg(count));
        found->bar->setValue(static_cast<int>(index));
        QCoreApplication::processEvents();
    };
    cb.cancelled = [found] { return found->cancelled; };
    try {
        tv::FindInFiles(files, find, caseSensitive, cb, &hits);
    } catch (const tv::FileError& e) {
        showError(QString::fromStdString(e.what()));
    }
    QApplication::restoreOverrideCursor();
    found->finish();
}

void TMainForm::ReplaceInOpenWindows() {
    const auto docs = documents();
    if (docs.empty()) return;
    Tsearchbox* box = searchBox();
    const std::string find = box->findText();
    if (find.empty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    int total = 0;
    for (TMDIChild* c : docs) {
        std::string text = c->document().text();
        const int n = tv::ReplaceAll(find, box->replaceText(), text, box->matchcase->isChecked());
        if (n > 0) c->showText(std::move(text));
        total += n;
    }
    QApplication::restoreOverrideCursor();
    prompter().message(this, kCaption, QStringLiteral("%1 occurrences replaced.").arg(total), Prompter::Icon::Information);
}

void TMainForm::ReplaceInFiles() {
    Tsearchbox* box = searchBox();
    if (box->all->isChecked()) {
        ReplaceInOpenWindows();
        return;
    }
    const std::string find = box->findText();
    if (find.empty() || (box->dir->isChecked() && box->directory->currentText().isEmpty())) return;
    if (box->proj->isChecked() && box->project->currentIndex() < 0) return;  // no project folder chosen
    const std::vector<std::string> files = searchFiles();
    auto* progress = new TProgressBox(this);
    progress->bar->setMaximum(static_cast<int>(files.size()));
    setEnabled(false);
    progress->setEnabled(true);
    connect(progress, &QObject::destroyed, this, [this] { setEnabled(true); });
    progress->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    tv::ReplaceCallbacks cb;
    cb.openText = [this](const std::string& file) -> std::optional<std::string> {
        if (TMDIChild* c = docs_->FindDocument(QString::fromStdString(file))) return c->document().text();
        return std::nullopt;
    };
    cb.setOpenText = [this](const std::string& file, const std::string& text) {
        if (TMDIChild* c = docs_->FindDocument(QString::fromStdString(file))) c->showText(text);
    };
    cb.progress = [&](std::size_t index, const std::string& file, int total) {
        progress->cur->setText(QString::fromStdString(file));
        progress->num->setText(QStringLiteral("%1 of %2 files.").arg(index).arg(files.size()));
        progress->occ->setText(QStringLiteral("%1 occurrences.").arg(total));
        progress->bar->setValue(static_cast<int>(index));
        QCoreApplication::processEvents();
    };
    cb.cancelled = [progress] {
        QCoreApplication::processEvents();
        return progress->cancelled;
    };
    try {
        const tv::ReplaceResult r = tv::ReplaceInFiles(files, find, box->replaceText(), box->matchcase->isChecked(), cb);
        progress->occ->setText(QStringLiteral("%1 occurrences.").arg(r.total));
    } catch (const tv::FileError& e) {
        showError(QString::fromStdString(e.what()));
    }
    QApplication::restoreOverrideCursor();
    progress->finish();
}
