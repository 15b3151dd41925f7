// Browser preview of the active document, and printing it.
#include "app/mainform.h"

#include "app/browsers.h"
#include "app/documents.h"
#include "base/docfile.h"
#include "base/doctext.h"
#include "base/frametext.h"
#include "base/paths.h"
#include "base/prompter.h"
#include "window/mdichild.h"

#include <Qsci/qsciprinter.h>

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QProcess>
#include <QToolBar>
#include <QToolButton>

namespace {
const QString kCaption = QStringLiteral("Taviron");
} // namespace

void TMainForm::BuildBrowserMenu() {
    const QList<QAction*> items = BrowserMenu->actions();
    for (int i = static_cast<int>(items.size()) - 1; i >= 1; --i) {
        BrowserMenu->removeAction(items[i]);
        items[i]->deleteLater();
    }
    QAction* first = BrowserMenu->actions().first();
    disconnect(first, nullptr, this, nullptr);
    auto* button = qobject_cast<QToolButton*>(MainTbar->widgetForAction(PrevBtn));
    const auto& list = settings_.browsers;
    if (list.empty()) {
        first->setText(QStringLiteral("None"));
        first->setEnabled(false);
        if (button) {
            button->setMenu(BrowserMenu);
            button->setPopupMode(QToolButton::InstantPopup);
        }
        return;
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        QAction* a = i == 0 ? first : BrowserMenu->addAction(QString());
        a->setText(fromStd(tv::browserCaption(list[i])));
        a->setEnabled(true);
        a->setData(static_cast<int>(i));
        connect(a, &QAction::triggered, this, [this, i] { BrowserItemClick(static_cast<int>(i)); });
    }
    if (list.size() == 1) {
        if (button) button->setMenu(nullptr);  // the button previews at once (PrevBtnClick)
    } else if (button) {
        button->setMenu(BrowserMenu);
        button->setPopupMode(QToolButton::InstantPopup);
    }
}


void TMainForm::BrowserItemClick(int index) {
    if (index < 0 || index >= static_cast<int>(settings_.browsers.size())) return;
    settings_.browser1 = tv::browserPath(settings_.browsers[static_cast<std::size_t>(index)]);
    noteSettingsChanged();
    PreviewActive();
}


void TMainForm::PrevBtnClick() {
    // With several browsers the button opens its menu instead; with none,
    // it offers the menu's "None".
    if (settings_.browsers.size() == 1) BrowserItemClick(0);
}

void TMainForm::Preview1Click() {
    const std::size_t n = settings_.browsers.size();
    if (n >= 2) BrowserMenu->popup(QCursor::pos());
    else if (n == 1) BrowserItemClick(0);
    else PreviewActive();  // the desktop's program for the file, or a word why not
}


void TMainForm::PreviewActive() {
    TMDIChild* c = activeDocument();
    if (!c) return;
    if (c->IsUntitled()) {
        QApplication::beep();
        prompter().message(this, kCaption, QStringLiteral("You must save your document before previewing."),
                           Prompter::Icon::Warning);
        return;
    }
    if (c->document().modified()) {
        if (settings_.autoSave) {
            if (!docs_->SaveDocument(c, true)) return;
        } else {
            const auto answer = prompter().ask(
                this, {kCaption, fromStd(tv::closePromptText(c->caption().toStdString())),
                       Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Yes, Prompter::Icon::Question});
            if (answer == Prompter::Cancel) return;
            if (answer == Prompter::Yes && !docs_->SaveDocument(c, true)) return;
        }
    }
    if (settings_.browser1.empty())
        settings_.browser1 = tv::findOnPath("xdg-open", qEnvironmentVariable("PATH").toStdString());
    PreviewFile(c->FileName());
}


void TMainForm::PreviewFile(const QString& fileName) {
    // Programs start with an argument list, never through a shell: quotes,
    // blanks and semicolons in a name stay part of the name. Where there is
    // no conversation with the two old browser families, they start like
    // any other browser.
    const QString program = fromStd(settings_.browser1);
    if (program.isEmpty()) {
        showError(QStringLiteral("There is no browser to preview with. Install one (or xdg-open) and add it "
                                 "in View > Options."));
        return;
    }
    const QStringList args = fileName.isEmpty() ? QStringList() : QStringList{fileName};
    if (!QProcess::startDetached(program, args))
        showError(QStringLiteral("The browser %1 could not be started.").arg(program));
}


void TMainForm::Print1Click() {
    TMDIChild* c = activeDocument();
    if (!c) return;
    if (!printer_) printer_ = std::make_unique<QsciPrinter>();
    if (!prompter().print(this, *printer_)) return;
    auto* printer = static_cast<QsciPrinter*>(printer_.get());
    printer->setDocName(c->FileName());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = printer->printRange(c->view()) != 0;
    QApplication::restoreOverrideCursor();
    if (!printed) showError(QStringLiteral("Printing %1 failed.").arg(c->FileName()));
}


void TMainForm::PrintSetup1Click() {
    if (!printer_) printer_ = std::make_unique<QsciPrinter>();
    prompter().pageSetup(this, *printer_);
}

