#include "app/journal.h"

#include "base/doctext.h"
#include "window/mdichild.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>

TRecoveryJournal::TRecoveryJournal(QObject* parent) : QObject(parent) {
    folder_ = fromStd(tv::recoveryFolder());
    // The owner's name is unique among running frames; its lock tells the
    // others that this frame is alive.
    owner_ = QStringLiteral("%1-%2")
                 .arg(QCoreApplication::applicationPid())
                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    lock_ = std::make_unique<QLockFile>(folder_ + QLatin1Char('/') + owner_ + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0);
    lock_->tryLock(0);
    writer_ = new QObject;
    writer_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, writer_, &QObject::deleteLater);
    thread_.start(QThread::LowPriority);
}

TRecoveryJournal::~TRecoveryJournal() {
    // Let the writer finish what it was given (a closed window's removal among it)
    // before the thread stops; whatever is still queued then would be dropped.
    QMetaObject::invokeMethod(writer_, [] {}, Qt::BlockingQueuedConnection);
    for (auto& [document, w] : documents_)
        if (w.written) QFile::remove(pathOf(w));
    thread_.quit();
    thread_.wait();
    lock_->unlock();
}

QString TRecoveryJournal::pathOf(const Entry& w) const {
    return folder_ + QLatin1Char('/') + fromStd(tv::journalFileName(toStd(owner_), w.serial));
}

void TRecoveryJournal::watch(TMDIChild* child) {
    TDocument* document = &child->document();
    auto [it, fresh] = documents_.try_emplace(document);
    Entry& e = it->second;
    ++e.windows;
    if (fresh) {
        e.serial = nextSerial_++;
        e.timer = new QTimer(this);
        e.timer->setSingleShot(true);
        e.timer->setInterval(kDelayMs);
        connect(e.timer, &QTimer::timeout, this, [this, document] { write(document); });
        // The first change after a write starts the clock; later ones do not
        // move it, so that steady typing is kept every two seconds.
        connect(document, &TDocument::changed, e.timer, [document, timer = e.timer] {
            if (document->modified() && !timer->isActive()) timer->start();
        });
    }
    connect(child, &TMDIChild::stateChanged, this, [this, document] {
        if (documents_.count(document) && !document->modified()) forget(document);
    });
    connect(child, &TMDIChild::closed, this, [this, document] {
        const auto found = documents_.find(document);
        if (found == documents_.end() || --found->second.windows > 0) return;
        forget(document);
        delete found->second.timer;
        documents_.erase(found);
    });
}

void TRecoveryJournal::write(TDocument* document) {
    const auto it = documents_.find(document);
    if (it == documents_.end() || !document->modified()) return;
    Entry& w = it->second;
    tv::JournalEntry e;
    e.fileName = document->file.fileName;
    e.lineEnds = document->file.lineEnds;
    e.encoding = tv::encodingName(document->file.encoding);
    e.text = std::string(document->textView());
    const std::string path = toStd(pathOf(w));
    w.written = true;
    QMetaObject::invokeMethod(
        writer_,
        [this, path, bytes = tv::encodeJournal(e)] {
            try {
                tv::writeFileAtomically(path, bytes);
            } catch (const tv::FileError& err) {
                const QString message = fromStd(err.what());
                QMetaObject::invokeMethod(this, [this, message] {
                    if (reported_) return;
                    reported_ = true;  // once: the next failure would say the same
                    emit failed(message);
                });
            }
        },
        Qt::QueuedConnection);
}

void TRecoveryJournal::forget(TDocument* document) {
    const auto it = documents_.find(document);
    if (it == documents_.end()) return;
    Entry& w = it->second;
    w.timer->stop();
    if (!w.written) return;
    w.written = false;
    const QString path = pathOf(w);
    QMetaObject::invokeMethod(writer_, [path] { QFile::remove(path); }, Qt::QueuedConnection);
}

void TRecoveryJournal::flush() {
    for (auto& [document, w] : documents_)
        if (w.timer->isActive()) {
            w.timer->stop();
            write(document);
        }
    // The writer takes its work in order: when this runs, the rest is done.
    QMetaObject::invokeMethod(writer_, [] {}, Qt::BlockingQueuedConnection);
}

std::vector<TRecoveryJournal::Orphan> TRecoveryJournal::orphans() {
    std::vector<Orphan> out;
    const QDir dir(folder_);
    QFileInfoList files = dir.entryInfoList({QStringLiteral("*.journal")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& f : files) {
        const QString owner = fromStd(tv::journalOwner(toStd(f.fileName())));
        if (owner.isEmpty() || owner == owner_) continue;
        auto lock = orphanLocks_.find(owner);
        if (lock == orphanLocks_.end()) {
            // A lock that can be taken belongs to a frame that is gone.
            auto l = std::make_unique<QLockFile>(folder_ + QLatin1Char('/') + owner + QStringLiteral(".lock"));
            l->setStaleLockTime(0);
            if (!l->tryLock(0)) continue;
            lock = orphanLocks_.emplace(owner, std::move(l)).first;
        }
        try {
            if (auto entry = tv::decodeJournal(tv::readFileBytes(toStd(f.absoluteFilePath()))))
                out.push_back({f.absoluteFilePath(), std::move(*entry)});
        } catch (const tv::FileError&) {
            // Unreadable: nothing to offer.
        }
    }
    return out;
}

void TRecoveryJournal::discard(const std::vector<Orphan>& orphans) {
    for (const Orphan& o : orphans) QFile::remove(o.path);
    for (auto& [owner, lock] : orphanLocks_) {
        // Entries of that owner that could not be read go with it.
        const QDir dir(folder_);
        for (const QString& name : dir.entryList({owner + QStringLiteral("-*.journal")}, QDir::Files))
            if (fromStd(tv::journalOwner(toStd(name))) == owner) QFile::remove(dir.filePath(name));
        lock->unlock();
    }
    orphanLocks_.clear();
}
