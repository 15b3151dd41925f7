// One Taviron per user and display. The first instance holds a lock file in
// the user's runtime folder and listens on a local socket beside it that only
// the user can open; a second start hands its arguments over through that
// socket and ends.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The name of this user's and display's instance.
    static QString defaultKey();
    static QString runtimeFolder();

    explicit SingleInstance(const QString& key = defaultKey(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when no other instance holds the lock: this one is the first.
    bool acquire();
    // Starts answering hand-overs; `handler` gets each argument, or an empty
    // text for "show yourself". Each message is answered as soon as it has
    // arrived, and the handler runs afterwards, one message at a time, so
    // that a question the handler asks never holds a connection and the
    // sender may go away at any moment.
    bool listen(std::function<void(const QString&)> handler);

    // Bounds on what a sender can hold: one message, the life of one
    // connection, and the connections served at once.
    static constexpr int kMaxMessage = 64 * 1024;
    static constexpr int kConnectionMs = 5000;
    static constexpr int kMaxConnections = 32;

    // Sends each argument in turn (or one "show yourself" without
    // arguments) and waits for each to be handled, at most `timeoutMs` for
    // each. Relative names are made absolute against `cwd` first, since the
    // first instance works in another folder. Returns false when no instance
    // answered.
    static bool handOver(const QString& key, const QStringList& args, const QString& cwd,
                         int timeoutMs = 5000);

private:
    void onConnection();
    void runPending();

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    std::function<void(const QString&)> handler_;
    QStringList pending_;
    bool handling_ = false;
    int connections_ = 0;
};
