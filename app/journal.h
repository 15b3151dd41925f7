// TRecoveryJournal: keeps the text of every modified document of a frame in
// the recovery folder, at most two seconds behind the typing, and finds the
// entries that frames which did not close normally left behind. The files
// are written by a thread of their own, so that typing never waits for the
// disk.
#pragma once

#include "app/recovery.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QThread>

#include <map>
#include <memory>
#include <vector>

class QTimer;
class TDocument;
class TMDIChild;

class TRecoveryJournal : public QObject {
    Q_OBJECT
public:
    // How long a change may wait before it is in the journal.
    static constexpr int kDelayMs = 2000;

    explicit TRecoveryJournal(QObject* parent = nullptr);
    // A normal end: the frame's entries and its lock go.
    ~TRecoveryJournal() override;

    // Follows the document of a window: its text is kept while it is
    // modified, and its entry goes when it is saved, read again or closed
    // with its last window.
    void watch(TMDIChild* child);

    struct Orphan {
        QString path;
        tv::JournalEntry entry;
    };
    // The entries of frames that are no longer running, oldest first.
    std::vector<Orphan> orphans();
    // Removes the orphans' files and lets their owners' locks go.
    void discard(const std::vector<Orphan>& orphans);

    // Writes what is pending now and waits until it is on disk.
    void flush();
    QString folder() const { return folder_; }

signals:
    // A journal file could not be written: the system's message.
    void failed(const QString& message);

private:
    struct Entry {
        int serial = 0;
        QTimer* timer = nullptr;
        bool written = false;
        int windows = 0;  // the windows showing the document
    };
    void write(TDocument* document);
    void forget(TDocument* document);
    QString pathOf(const Entry& e) const;

    QString folder_;
    QString owner_;
    std::unique_ptr<QLockFile> lock_;
    std::map<TDocument*, Entry> documents_;
    std::map<QString, std::unique_ptr<QLockFile>> orphanLocks_;
    int nextSerial_ = 1;
    QThread thread_;
    QObject* writer_ = nullptr;  // lives in thread_
    bool reported_ = false;
};
