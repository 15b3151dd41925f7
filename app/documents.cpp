#include "app/documents.h"

#include "base/docfile.h"
#include "base/frametext.h"
#include "base/paths.h"
#include "base/prompter.h"
#include "base/doctext.h"
#include "window/documenthost.h"
#include "window/mdichild.h"
#include "tools/macros.h"
#include "tools/searchwindows.h"
#include "usertags/newdoc.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QScopedValueRollback>

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <optional>

namespace {
// Large documents pass through copies (the file's bytes, their decoded
// form, the colours); the allocator keeps what they freed for later, which
// would add their size to the program's memory for good. It is given back.
void releaseFreedMemory() {
#ifdef __GLIBC__
    ::malloc_trim(0);
#endif
}

const QString kCaption = QStringLiteral("Taviron");
} // namespace

TDocumentManager::TDocumentManager(DocumentHost& host, QMdiArea* area, QWidget* dialogParent)
    : QObject(area), host_(host), area_(area), parent_(dialogParent) {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &TDocumentManager::fileChanged);
    // A document looked at again is compared with its file.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (TMDIChild* c : documents())
            if (now == c->view()) checkDisk(c);
    });
}

void TDocumentManager::remember(TMDIChild* child) {
    if (child->IsUntitled()) return;
    child->document().file.stamp = child->document().file.seen = tv::fileStamp(child->document().file.fileName);
    // A file replaced by a rename is a new file to the watcher: watch anew.
    if (!watcher_.files().contains(child->FileName())) watcher_.addPath(child->FileName());
}

void TDocumentManager::fileChanged(const QString& path) {
    if (tv::fileExists(toStd(path)) && !watcher_.files().contains(path)) watcher_.addPath(path);
    TMDIChild* c = activeDocument();
    if (c && c->FileName() == path && c->view()->hasFocus()) checkDisk(c);
}

void TDocumentManager::checkDisk(TMDIChild* child) {
    if (checking_ || child->IsUntitled()) return;
    tv::DocumentFile& doc = child->document().file;
    const tv::FileStamp now = tv::fileStamp(doc.fileName);
    if (now == doc.stamp || now == doc.seen) return;
    const QScopedValueRollback<bool> busy(checking_, true);
    doc.seen = now;
    const QString name = child->caption();
    if (!now.exists) {
        // What is in the editor is now the only copy.
        child->setModified(true);
        emit statusMessage(QStringLiteral("%1 has been deleted by another program.").arg(name));
        return;
    }
    if (child->document().modified()) {
        const auto answer = prompter().ask(
            parent_, {kCaption,
                      QStringLiteral("%1 has been changed by another program. Reload it and lose your changes?").arg(name),
                      Prompter::Yes | Prompter::No, Prompter::No, Prompter::Icon::Question});
        if (answer != Prompter::Yes) return;
    }
    if (reload(child))
        emit statusMessage(QStringLiteral("%1 has been changed by another program and was read again.").arg(name));
}

void TDocumentManager::convert(TMDIChild* child, tv::FileEncoding encoding) { child->convertEncoding(encoding); }

bool TDocumentManager::reload(TMDIChild* child) {
    tv::LoadedDocument loaded;
    const tv::FileStamp stamp = tv::fileStamp(child->document().file.fileName);
    try {
        loaded = tv::documentFromFile(tv::readFileBytes(child->document().file.fileName), host_.settings().defaultFileEncoding());
    } catch (const tv::FileError& e) {
        prompter().message(parent_, kCaption, fromStd(e.what()), Prompter::Icon::Error);
        return false;
    }
    child->setEncoding(loaded.encoding);
    child->document().file.lineEnds = loaded.lineEnds;
    child->showText(loaded.text, /*fromFile=*/true, std::nullopt);
    child->document().file.stamp = child->document().file.seen = stamp;
    child->setModified(false);
    return true;
}

std::vector<TMDIChild*> TDocumentManager::documents() const {
    std::vector<TMDIChild*> out;
    for (QMdiSubWindow* w : area_->subWindowList(QMdiArea::CreationOrder))
        if (auto* c = qobject_cast<TMDIChild*>(w->widget())) out.push_back(c);
    return out;
}

TMDIChild* TDocumentManager::activeDocument() const {
    QMdiSubWindow* w = area_->currentSubWindow();
    return w ? qobject_cast<TMDIChild*>(w->widget()) : nullptr;
}

TMDIChild* TDocumentManager::FindDocument(const QString& fileName) {
    const auto docs = documents();
    for (auto it = docs.rbegin(); it != docs.rend(); ++it) {
        TMDIChild* c = *it;
        if (c->FileName() != fileName) continue;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(c->parentWidget())) {
            if (sub->isMinimized()) sub->showNormal();
            sub->show();
            area_->setActiveSubWindow(sub);
        }
        return c;
    }
    return nullptr;
}

TMDIChild* TDocumentManager::OpenDocument(const QString& fileName) {
    const std::string name = toStd(fileName);
    if (!tv::fileExists(name)) return nullptr;
    if (TMDIChild* found = FindDocument(fileName)) return found;

    // Read first: a file that cannot be read leaves no window behind. Its
    // stamp is taken before, so that a change while it is read is seen.
    const tv::FileStamp stamp = tv::fileStamp(name);
    tv::LoadedDocument loaded = tv::documentFromFile(tv::readFileBytes(name), host_.settings().defaultFileEncoding());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TMDIChild* child = createChild(fileName);
    child->document().file.lineEnds = loaded.lineEnds;
    child->setEncoding(loaded.encoding);
    releaseFreedMemory();  // what reading and decoding used, before the editor takes its copy
    child->showText(std::move(loaded.text), /*fromFile=*/true);  // the editor holds it now
    releaseFreedMemory();
    child->setModified(false);
    remember(child);
    child->document().file.stamp = child->document().file.seen = stamp;
    showChild(child);
    QApplication::restoreOverrideCursor();
    return child;
}

TMDIChild* TDocumentManager::NewFile(const QString& templateName, const QString& title) {
    // A template that has gone gives an empty document without a word; one
    // that cannot be read says so and also gives an empty document.
    // A template gives characters, whatever its encoding; the new document
    // takes the default encoding.
    std::optional<tv::LoadedDocument> loaded;
    const std::string name = toStd(templateName);
    if (tv::fileExists(name)) {
        try {
            loaded = tv::documentFromFile(tv::readFileBytes(name), host_.settings().defaultFileEncoding());
        } catch (const tv::FileError& e) {
            prompter().message(parent_, kCaption, fromStd(e.what()));
        }
    }
    TMDIChild* child = createChild(fromStd(tv::untitledName(NextUntitledNumber++)));
    showChild(child);
    if (loaded) {
        child->document().file.lineEnds = loaded->lineEnds;
        child->showText(loaded->text);
        child->UpdateDocument(title);  // colours the text again, also when an include is missing
    }
    child->setModified(false);
    return child;
}

TMDIChild* TDocumentManager::newNamed(const QString& fileName) {
    if (TMDIChild* found = FindDocument(fileName)) return found;
    TMDIChild* child = createChild(fileName);
    showChild(child);
    child->setModified(false);
    return child;
}

TMDIChild* TDocumentManager::newFromText(const std::string& text, int caret) {
    TMDIChild* child = createChild(fromStd(tv::untitledName(NextUntitledNumber++)));
    showChild(child);
    child->showText(text, false, caret);
    child->setModified(false);
    return child;
}

TMDIChild* TDocumentManager::recover(const std::string& fileName, tv::LineEnds lineEnds, tv::FileEncoding encoding,
                                     const std::string& text) {
    const bool untitled = tv::IsUntitledName(fileName);
    TMDIChild* child = createChild(fromStd(untitled ? tv::untitledName(NextUntitledNumber++) : fileName));
    showChild(child);
    child->document().file.lineEnds = lineEnds;
    child->setEncoding(encoding);
    child->showText(text);
    if (!untitled) remember(child);  // saving it replaces the file as it is now
    child->setModified(true);
    return child;
}

TMDIChild* TDocumentManager::newView(TMDIChild* of) {
    TMDIChild* child = createChild(of->FileName(), of->view()->sharedDocument());
    showChild(child);
    numberViews(child->document());
    // The new view starts where the other stands.
    child->view()->SetSel(of->view()->SelStart(), of->view()->SelLength());
    child->view()->ScrollToLine(of->view()->TopLine());
    child->SetWordWrap(of->view()->WordWrapOn());
    return child;
}

void TDocumentManager::numberViews(const TDocument& document) {
    std::vector<TMDIChild*> views;
    for (TMDIChild* c : documents())
        if (&c->document() == &document) views.push_back(c);
    std::sort(views.begin(), views.end(), [](TMDIChild* a, TMDIChild* b) { return a->viewNumber() < b->viewNumber(); });
    int n = views.size() > 1 ? 1 : 0;
    for (TMDIChild* v : views) v->setViewNumber(n ? n++ : 0);
}

TMDIChild* TDocumentManager::createChild(const QString& fileName, std::shared_ptr<TDocument> document) {
    const bool view = document != nullptr;
    auto* child = new TMDIChild(host_, std::move(document));
    if (!view) child->setEncoding(host_.settings().defaultFileEncoding());
    QMdiSubWindow* sub = area_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The window menu of a document must not take the frame's short cuts
    // (Ctrl+W is "&Close" of the File menu).
    if (QMenu* system = sub->systemMenu())
        for (QAction* a : system->actions()) a->setShortcut(QKeySequence());
    emit documentCreated(child);
    connect(child, &TMDIChild::closed, this, [this](TMDIChild* c) {
        // The windows left on its document are numbered again.
        const TDocument* document = &c->document();
        QMetaObject::invokeMethod(this, [this, document] {
            for (TMDIChild* other : documents())
                if (&other->document() == document) return numberViews(*document);
        }, Qt::QueuedConnection);
        for (TMDIChild* other : documents())
            if (other != c && other->FileName() == c->FileName()) return;
        watcher_.removePath(c->FileName());
    });
    child->SetFileName(fileName);
    return child;
}

void TDocumentManager::showChild(TMDIChild* child) {
    auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
    // New windows cascade from the top left, each a step further, and keep
    // inside the client area.
    const QSize area = area_->viewport()->size();
    const QSize size(std::max(320, area.width() * 3 / 4), std::max(200, area.height() * 3 / 4));
    const int step = 22;
    const int places = std::max(1, std::min(area.width() - size.width(), area.height() - size.height()) / step + 1);
    const int k = (static_cast<int>(area_->subWindowList().size()) - 1) % places;
    sub->setGeometry(k * step, k * step, size.width(), size.height());
    sub->show();
    area_->setActiveSubWindow(sub);
}

bool TDocumentManager::writeDocument(TMDIChild* child, bool checkDisk) {
    const tv::FileStamp now = tv::fileStamp(child->document().file.fileName);
    if (checkDisk && now.exists && now != child->document().file.stamp) {
        const auto answer = prompter().ask(
            parent_, {kCaption,
                      QStringLiteral("%1 has been changed by another program since it was opened. Save over it?")
                          .arg(child->caption()),
                      Prompter::Yes | Prompter::No, Prompter::No, Prompter::Icon::Warning});
        if (answer != Prompter::Yes) return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        tv::writeDocumentFile(child->document().file.fileName,
                              tv::documentToFile(child->document().textView(), child->document().file.lineEnds,
                                                 child->document().file.encoding));
    } catch (const tv::FileError& e) {
        QApplication::restoreOverrideCursor();
        prompter().message(parent_, kCaption, fromStd(e.what()), Prompter::Icon::Error);
        return false;
    }
    QApplication::restoreOverrideCursor();
    remember(child);
    child->setModified(false);
    emit documentSaved(child);
    return true;
}

bool TDocumentManager::SaveDocument(TMDIChild* child, bool saveAsWhenUntitled) {
    if (child->IsUntitled()) return saveAsWhenUntitled && SaveAs(child);
    return writeDocument(child, /*checkDisk=*/true);
}

bool TDocumentManager::ConfirmReplace(const QString& fileName) {
    if (!tv::fileExists(toStd(fileName))) return true;
    const auto answer = prompter().ask(parent_, {kCaption, fromStd(tv::confirmReplaceText(toStd(fileName))),
                                                 Prompter::Yes | Prompter::No, Prompter::No, Prompter::Icon::Warning});
    return answer != Prompter::No;
}

bool TDocumentManager::SaveAs(TMDIChild* child) {
    Prompter::SaveRequest req;
    req.title = QStringLiteral("Save As");
    req.fileName = child->FileName();
    // A document never saved starts in the folder of the last file opened
    // or saved (the home folder before any), not where the program started.
    if (child->IsUntitled()) {
        const QString folder = host_.openDialogFolder().isEmpty() ? QDir::homePath() : host_.openDialogFolder();
        req.fileName = QDir(folder).filePath(child->FileName());
    }
    req.filter = QString::fromLatin1(tv::kSaveAsFilter);
    req.filterIndex = 1;
    req.defaultSuffix = host_.settings().addExt ? QStringLiteral("htm") : QString();
    const auto answer = prompter().saveFileName(parent_, req);
    if (!answer) return false;
    bool appended = false;
    const QString name = fromStd(tv::applySaveAsExtension(toStd(answer->fileName), answer->filterIndex, appended));
    if (appended && !ConfirmReplace(name)) return false;
    const tv::DocumentFile old = child->document().file;
    child->SetFileName(name);
    if (writeDocument(child, /*checkDisk=*/false)) {
        host_.rememberDialogFolder(QFileInfo(name).absolutePath());
        return true;
    }
    // Nothing reached the disk: the document keeps the name it had.
    child->SetFileName(fromStd(old.fileName));
    child->document().file = old;
    return false;
}

void TDocumentManager::saveAll() {
    for (TMDIChild* c : documents())
        if (c->document().modified()) SaveDocument(c, false);
}

void TDocumentManager::UpdateFolderFiles(const QStringList& files) {
    std::vector<std::string> names;
    for (const QString& f : files) names.push_back(toStd(f));
    tv::UpdateFilesCallbacks callbacks;
    callbacks.openText = [this](const std::string& file) -> std::optional<std::string> {
        if (TMDIChild* c = FindDocument(fromStd(file))) return c->document().text();
        return std::nullopt;
    };
    callbacks.setOpenText = [this](const std::string& file, const std::string& text) {
        if (TMDIChild* c = FindDocument(fromStd(file))) c->showText(text);
    };
    // A run over many files shows where it is and can be stopped.
    QPointer<TProgressBox> progress = new TProgressBox(parent_);
    progress->setWindowTitle(QStringLiteral("Update Files"));
    progress->bar->setMaximum(static_cast<int>(names.size()));
    progress->show();
    int updated = 0;
    callbacks.progress = [&](std::size_t index, const std::string& file) {
        progress->cur->setText(fromStd(file));
        progress->num->setText(QStringLiteral("%1 of %2 files.").arg(index).arg(names.size()));
        progress->bar->setValue(static_cast<int>(index));
        QCoreApplication::processEvents();
    };
    auto updatedText = [&] {
        return updated == 1 ? QStringLiteral("1 file updated.") : QStringLiteral("%1 files updated.").arg(updated);
    };
    callbacks.changed = [&](const std::string&) {
        ++updated;
        progress->occ->setText(updatedText());
    };
    callbacks.cancelled = [&] {
        QCoreApplication::processEvents();
        return progress->cancelled;
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        tv::UpdateFiles(names, host_.settings().textExt, host_.macroContext(), callbacks);
        QApplication::restoreOverrideCursor();
    } catch (const std::runtime_error& e) {
        // The files before this one keep their update.
        QApplication::restoreOverrideCursor();
        prompter().message(parent_, kCaption, fromStd(e.what()));
    }
    progress->occ->setText(updatedText() + (progress->cancelled ? QStringLiteral(" Stopped.") : QString()));
    progress->finish();
}
