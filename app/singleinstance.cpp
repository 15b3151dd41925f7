#include "app/singleinstance.h"

#include "app/handover.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QPointer>
#include <QThread>
#include <QTimer>

namespace {

constexpr char kAck = 'k';

QString socketPath(const QString& key) { return SingleInstance::runtimeFolder() + QLatin1Char('/') + key; }

QByteArray frame(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const std::string framed = tv::frameHandOver(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    return QByteArray(framed.data(), static_cast<qsizetype>(framed.size()));
}

} // namespace

QString SingleInstance::runtimeFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    QDir().mkpath(dir);
    return dir;
}

QString SingleInstance::defaultKey() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) display = QStringLiteral("console");
    QString user = qEnvironmentVariable("USER");
    QString key = QStringLiteral("taviron-%1-%2").arg(user, display);
    for (QChar& c : key)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_')) c = QLatin1Char('_');
    return key;
}

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), key_(key) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
}

SingleInstance::~SingleInstance() {
    server_.close();
    if (lock_) lock_->unlock();
}

bool SingleInstance::acquire() {
    lock_ = std::make_unique<QLockFile>(socketPath(key_) + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0);  // only a lock whose process is gone is stale
    if (lock_->tryLock(0)) return true;
    // A lock we cannot read or write tells nothing about another instance.
    return lock_->error() != QLockFile::LockFailedError;
}

bool SingleInstance::listen(std::function<void(const QString&)> handler) {
    handler_ = std::move(handler);
    QLocalServer::removeServer(socketPath(key_));
    const bool listening = server_.listen(socketPath(key_));
    // Qt closes the server when accepting fails (no file descriptors left);
    // it listens again, so that later starts are still handed over.
    auto* watch = new QTimer(this);
    connect(watch, &QTimer::timeout, this, [this] {
        if (server_.isListening()) return;
        QLocalServer::removeServer(socketPath(key_));
        server_.listen(socketPath(key_));
    });
    watch->start(2000);
    return listening;
}

void SingleInstance::onConnection() {
    while (QLocalSocket* sock = server_.nextPendingConnection()) {
        if (connections_ >= kMaxConnections) {
            sock->abort();
            sock->deleteLater();
            continue;
        }
        ++connections_;
        connect(sock, &QObject::destroyed, this, [this] { --connections_; });
        connect(sock, &QLocalSocket::disconnected, sock, &QObject::deleteLater);
        // A sender that neither finishes nor goes is let go.
        QTimer::singleShot(kConnectionMs, sock, [sock] { sock->abort(); });
        auto buffer = std::make_shared<std::string>();
        connect(sock, &QLocalSocket::readyRead, this, [this, sock, buffer] {
            const QByteArray arrived = sock->readAll();
            buffer->append(arrived.constData(), static_cast<std::size_t>(arrived.size()));
            for (;;) {
                std::string message;
                const tv::HandOverFrame got = tv::takeHandOver(*buffer, message, kMaxMessage);
                if (got == tv::HandOverFrame::Incomplete) return;
                if (got == tv::HandOverFrame::TooLong) {  // nobody sends a name that long
                    sock->abort();
                    return;
                }
                pending_ << QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
                sock->write(&kAck, 1);
                sock->flush();
                // The handler runs after this connection's turn.
                QMetaObject::invokeMethod(this, &SingleInstance::runPending, Qt::QueuedConnection);
            }
        });
    }
}

void SingleInstance::runPending() {
    // One message at a time: a handler that asks a question does not see
    // the next message until it is done.
    if (handling_) return;
    handling_ = true;
    while (!pending_.isEmpty()) {
        const QString text = pending_.takeFirst();
        if (handler_) handler_(text);
    }
    handling_ = false;
}

bool SingleInstance::handOver(const QString& key, const QStringList& args, const QString& cwd, int timeoutMs) {
    QLocalSocket sock;
    // The first instance may still be starting: try for a while.
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        sock.connectToServer(socketPath(key));
        if (sock.waitForConnected(500)) break;
        if (clock.elapsed() > 3000) return false;
        QThread::msleep(100);
    }
    QStringList messages;
    for (const QString& a : args) {
        // Names are made absolute here, in the folder the user started in.
        const bool name = !a.isEmpty() && !a.startsWith(QLatin1Char('-'));
        messages << (name ? QFileInfo(QDir(cwd), a).absoluteFilePath() : a);
    }
    if (messages.isEmpty()) messages << QString();
    bool allAnswered = true;
    for (const QString& m : messages) {
        sock.write(frame(m));
        if (!sock.waitForBytesWritten(timeoutMs)) return false;
        QByteArray ack;
        while (ack.isEmpty()) {
            if (!sock.waitForReadyRead(timeoutMs)) return false;
            ack = sock.read(1);
        }
        allAnswered = allAnswered && ack.at(0) == kAck;
    }
    sock.disconnectFromServer();
    return allAnswered;
}
