#include "App/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <string>

#include "Model/AppPaths.h"
#include "Platform/Log.h"
#include "Platform/PrivateFolder.h"

namespace zantiva {
namespace {

constexpr char logCategory[] = "instance";
constexpr char baseName[] = "zantiva-diagnostics";
// How long a later launch waits between tries while the lock's holder isn't listening.
constexpr unsigned long retryMilliseconds = 50;

int remaining(const QDeadlineTimer& deadline) { return int(std::max<qint64>(deadline.remainingTime(), 0)); }

// One line to the running program; true once it took the line and hung up.
bool send(const QString& socketPath, const QByteArray& line, const QDeadlineTimer& deadline) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(remaining(deadline))) return false;
    socket.write(line);
    if (!socket.waitForBytesWritten(remaining(deadline))) return false;
    return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(remaining(deadline));
}

} // namespace

std::optional<QString> SingleInstance::defaultFolder() {
    // Whoever could write in the folder could take the lock and the socket, and with them
    // the sign-in links meant for this program. Every launch must find the same folder, so
    // the fallback is under the user's own home, where no other user can take the name.
    auto folder = PrivateFolder::sessionRuntime();
    if (!folder) {
        const auto cache = AppPaths::cacheFolder();
        if (!cache) return std::nullopt;
        folder = PrivateFolder::open(*cache, PrivateFolder::IfMissing::make, PrivateFolder::IfOpenToOthers::close);
    }
    if (!folder) return std::nullopt;
    return QString::fromStdString(folder->path().string());
}

SingleInstance::SingleInstance(const QString& folder, std::chrono::milliseconds patience, QObject* parent)
    : QObject(parent), patience_(patience),
      lockPath_(QDir(folder).filePath(QString::fromLatin1(baseName) + ".lock")),
      socketPath_(QDir(folder).filePath(QString::fromLatin1(baseName) + ".socket")),
      lock_(lockPath_) {
    // Only a lock whose process is gone is stale, however old it is.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    // The server and its connections go while the members their handlers use still exist;
    // closing it removes the socket, then the lock goes with its member.
    delete server_;
}

SingleInstance::Role SingleInstance::start(const Request& request) {
    QByteArray line = request ? request->toEncoded() : QByteArray();
    if (line.size() > maxLineBytes) {
        log::error(logCategory, "a link longer than the running program takes was dropped");
        line.clear();
    }
    line += '\n';
    const QDeadlineTimer deadline(patience_);
    for (;;) {
        if (lock_.tryLock(0)) {
            listen();
            return Role::primary;
        }
        if (lock_.error() != QLockFile::LockFailedError) {
            log::error(logCategory, "couldn't take " + lockPath_.toStdString() + ": running without hand-over");
            return Role::primary;
        }
        if (send(socketPath_, line, deadline)) return Role::handedOver;
        if (deadline.hasExpired()) return Role::unanswered;
        QThread::msleep(retryMilliseconds);
    }
}

void SingleInstance::setReceiver(Receiver receiver) {
    receiver_ = std::move(receiver);
    if (!receiver_) return;
    auto waiting = std::move(pending_);
    pending_.clear();
    for (auto& request : waiting) receiver_(request);
}

void SingleInstance::listen() {
    // The lock is ours, so a socket here was left by a process that died.
    QLocalServer::removeServer(socketPath_);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketPath_)) {
        log::error(logCategory, "couldn't listen on " + socketPath_.toStdString() + ": " +
                                    server->errorString().toStdString() + "; running without hand-over");
        delete server;
        return;
    }
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::accept);
    server_ = server;
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // Room for one line and its newline: what doesn't fit is too long.
        socket->setReadBufferSize(maxLineBytes + 1);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(patience_, socket, [socket] {
            log::error(logCategory, "a silent connection was closed");
            socket->abort();
            socket->deleteLater();
        });
        read(socket);
    }
}

void SingleInstance::read(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() <= maxLineBytes) return; // more is on its way
        log::error(logCategory, "an over-long line was dropped");
        socket->abort();
        socket->deleteLater();
        return;
    }
    QByteArray line = socket->readLine();
    line.chop(1);
    // Hanging up tells the sender its line was taken.
    socket->abort();
    socket->deleteLater();
    if (line.isEmpty()) return deliver(std::nullopt);
    QUrl link = QUrl::fromEncoded(line);
    if (!link.isValid()) return log::error(logCategory, "a line that is no link was dropped");
    deliver(std::move(link));
}

void SingleInstance::deliver(Request request) {
    if (receiver_)
        receiver_(request);
    else
        pending_.push_back(std::move(request));
}

} // namespace zantiva
