// The frame's side of the checks: the Problems pane, Text > Check Page
// (HTML Tidy on a worker thread, again after a pause in typing when chosen)
// and Project > Check Links.
#include "app/mainform.h"

#include "app/documents.h"
#include "base/doctext.h"
#include "base/prompter.h"
#include "check/linkcheck.h"
#include "check/pagecheck.h"
#include "check/problemspane.h"
#include "editor/document.h"
#include "editor/tvokrich.h"
#include "files/diskpane.h"
#include "files/project.h"
#include "tools/searchwindows.h"
#include "window/mdichild.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QThreadPool>
#include <QTimer>
#include <algorithm>
#include <mutex>
#include <set>

// Where a worker hands its result: the frame while it lives.
struct TMainForm::CheckMailbox {
    std::mutex lock;
    QObject* receiver = nullptr;
};

void TMainForm::createProblemsPane() {
    ProblemsPanel = new TProblemsPane(this);
    hostPane(ProblemsPanel, {"ProblemsPane", "Problems", "ProblemsPane1", "Pro&blems",
                             "Problems|Show or hide the problems of the last check", Qt::BottomDockWidgetArea, 160});
    ProblemsPanel->onChoose = [this](const QString& file, int line, int column) { goToProblem(file, line, column); };
    checkMailbox_ = std::make_shared<CheckMailbox>();
    checkMailbox_->receiver = this;
    checkPause_ = new QTimer(this);
    checkPause_->setSingleShot(true);
    checkPause_->setInterval(500);
    connect(checkPause_, &QTimer::timeout, this, [this] {
        if (paneShown("ProblemsPane")) startPageCheck();
    });
}

void TMainForm::endChecks() {
    if (!checkMailbox_) return;
    const std::lock_guard<std::mutex> hold(checkMailbox_->lock);
    checkMailbox_->receiver = nullptr;
}

void TMainForm::checkPage() {
    showPane("ProblemsPane", true);
    startPageCheck();
}

void TMainForm::pageEdited(TMDIChild* child) {
    if (destroying_) return;
    ++checkGeneration_;  // a check on its way is of an older text
    if (settings_.checkAsYouType && child == activeDocument()) checkPause_->start();
}

void TMainForm::startPageCheck() {
    TMDIChild* c = activeDocument();
    if (!c) return;
    tv::PageCheckOptions options;
    options.warnings = settings_.checkWarnings;
    options.accessibility = settings_.checkAccess;
    const int generation = ++checkGeneration_;
    checkedPage_ = c;
    const QString title = QStringLiteral("Page %1").arg(c->caption());
    ProblemsPanel->showWorking(QStringLiteral("Checking %1...").arg(c->caption()));
    std::string text = c->view()->Text();
    std::shared_ptr<CheckMailbox> mailbox = checkMailbox_;
    QThreadPool::globalInstance()->start([this, mailbox, text = std::move(text), options, generation, title] {
        const tv::PageCheck result = tv::checkPage(text, options);
        const std::lock_guard<std::mutex> hold(mailbox->lock);
        if (!mailbox->receiver) return;
        QMetaObject::invokeMethod(
            mailbox->receiver,
            [this, result, generation, title] {
                if (generation != checkGeneration_ || !checkedPage_) return;  // edited since, or closed
                ProblemsPanel->showProblems(title, result.problems, result.more);
            },
            Qt::QueuedConnection);
    });
}

void TMainForm::goToProblem(const QString& file, int line, int column) {
    TMDIChild* c = nullptr;
    if (file.isEmpty()) {
        c = checkedPage_;
        if (c) mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(c->parentWidget()));
    } else {
        try {
            c = OpenDocument(file);
        } catch (const tv::FileError& e) {
            showError(fromStd(e.what()));
        }
    }
    if (!c) return;
    TvokRich* ed = c->view();
    const int lineIndex = std::clamp(line - 1, 0, std::max(0, ed->LineCount() - 1));
    const int start = ed->LineStart(lineIndex);
    // The column counts characters; it stays within its line.
    int at = ed->positionOfOffset(ed->characterOffset(start) + std::max(0, column - 1));
    at = std::min(at, start + ed->LineLength(lineIndex));
    ed->SetSelStart(at);
    ed->setFocus();
}

void TMainForm::CheckLinks1Click() {
    // The folders of the project's files, else a folder chosen.
    std::set<std::string> folders;
    for (const tv::TProject* f : tv::ListProjectFolders(project()))
        for (const std::string& file : f->Files()) folders.insert(toStd(QFileInfo(fromStd(file)).absolutePath()));
    std::vector<std::string> roots;
    for (const std::string& f : folders)
        if (std::none_of(roots.begin(), roots.end(), [&](const std::string& r) { return f.rfind(r + "/", 0) == 0; }))
            roots.push_back(f);
    if (roots.empty()) {
        const auto chosen = prompter().folder(this, QStringLiteral("Check Links"), diskPane()->folder());
        if (!chosen) return;
        roots.push_back(toStd(*chosen));
    }
    // Links to the web are followed only when asked for.
    const auto web = prompter().ask(this, {QStringLiteral("Check Links"),
                                           QStringLiteral("Also check the links to the web (http and https)? "
                                                          "Each address is asked once, at most 8 at a time."),
                                           Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::No,
                                           Prompter::Icon::Question});
    if (web == Prompter::Cancel) return;
    QPointer<TProgressBox> progress = new TProgressBox(this);
    progress->setWindowTitle(QStringLiteral("Check Links"));
    progress->show();
    tv::LinkCheckOptions options;
    options.textExtensions = settings_.textExt;
    options.external = web == Prompter::Yes;
    options.progress = [&](std::size_t index, std::size_t count, const std::string& file) {
        if (!progress) return false;
        progress->bar->setMaximum(static_cast<int>(count));
        progress->bar->setValue(static_cast<int>(index));
        const bool web = file == "web";  // the links to the web, after the files
        progress->cur->setText(web ? QStringLiteral("Links to the web") : fromStd(file));
        progress->num->setText(QString::fromLatin1(web ? "%1 of %2 addresses." : "%1 of %2 files.").arg(index).arg(count));
        QCoreApplication::processEvents();
        return progress && !progress->cancelled;
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const tv::LinkCheck result = tv::checkLinks(roots, options);
    QApplication::restoreOverrideCursor();
    if (progress) {
        if (!result.cancelled) {
            progress->bar->setValue(progress->bar->maximum());
            progress->num->setText(QStringLiteral("%1 files read.").arg(result.filesRead));
        }
        progress->occ->setText(result.cancelled ? QStringLiteral("Stopped.") : QStringLiteral("Done."));
        progress->finish();
    }
    const QString folder = fromStd(roots.front());
    showPane("ProblemsPane", true);
    ProblemsPanel->showProblems(QStringLiteral("Links of %1%2").arg(folder, result.cancelled ? QStringLiteral(" (stopped)") : QString()),
                                result.problems, 0, result.orphans, folder);
}
