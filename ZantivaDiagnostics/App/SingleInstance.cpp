#include "App/SingleInstance.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "Model/AppPaths.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

constexpr char logCategory[] = "instance";
constexpr char lockName[] = "zantiva-diagnostics.lock";
constexpr char socketName[] = "zantiva-diagnostics.socket";
// How long a later launch waits between tries while the lock's holder isn't listening.
constexpr unsigned long retryMilliseconds = 50;

int remaining(const QDeadlineTimer& deadline) { return int(std::max<qint64>(deadline.remainingTime(), 0)); }

// One line to the running program; true once it took the line and hung up. One that closes
// with the line unread (its server closed on an error, or it quit) resets the connection
// instead, which Qt reads as a hang-up: the answer is read from the descriptor itself.
bool send(const QString& socketPath, const QByteArray& line, const QDeadlineTimer& deadline) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(remaining(deadline))) return false;
    socket.write(line);
    if (!socket.waitForBytesWritten(remaining(deadline))) return false;
    pollfd answer{int(socket.socketDescriptor()), POLLIN, 0};
    if (answer.fd < 0) return false;
    while (::poll(&answer, 1, remaining(deadline)) < 0 && errno == EINTR) {}
    char byte = 0;
    return ::recv(answer.fd, &byte, 1, MSG_DONTWAIT) == 0;
}

// Qt's lock file holds a flock for as long as its holder lives, taken before its contents are
// written. A lock of this host whose flock is free and that is older than a moment was left by a
// process that is gone, and so is one whose owner can't be read at all (a kill as it was
// written): Qt counts neither as stale when its process number is taken again or unreadable,
// and the lock no longer goes with a reboot. Another host's lock is left alone: where flock
// reaches only this host (a network home), its holder may well be alive. True when removed.
bool removeLeftOverLock(const QLockFile& lock) {
    qint64 pid = 0;
    QString host, application;
    if (lock.getLockInfo(&pid, &host, &application) && host != QSysInfo::machineHostName()) return false;
    const QByteArray name = QFile::encodeName(lock.fileName());
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    struct stat opened {};
    struct stat named {};
    const bool leftOver = ::fstat(fd, &opened) == 0 && std::abs(std::time(nullptr) - opened.st_mtime) >= 2 &&
                          ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(name.constData(), &named) == 0 &&
                          named.st_ino == opened.st_ino && named.st_dev == opened.st_dev &&
                          ::unlink(name.constData()) == 0;
    ::close(fd);
    return leftOver;
}

QString inFolder(const std::filesystem::path& folder, const char* name) {
    return QString::fromStdString((folder / name).string());
}

// The lock and the socket are 0600 whatever the umask: one that takes the owner's bits (0277)
// would leave a lock that no later launch can read, so never judged stale after a crash, and a
// socket none can connect to. Only this user writes in the folder, so the entry is theirs.
void openToOwner(const QString& path) { ::chmod(QFile::encodeName(path).constData(), 0600); }

} // namespace

std::optional<PrivateFolder> SingleInstance::defaultFolder() {
    const auto folder = AppPaths::applicationSupport();
    if (!folder) return std::nullopt;
    return PrivateFolder::open(*folder, PrivateFolder::IfMissing::make, PrivateFolder::IfOpenToOthers::close);
}

SingleInstance::SingleInstance(PrivateFolder folder, std::chrono::milliseconds patience, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), patience_(patience), lockPath_(inFolder(folder_.path(), lockName)),
      socketPath_(inFolder(folder_.descriptorPath(), socketName)),
      // Through the open folder too, so that the lock and the socket are always side by side.
      lock_(inFolder(folder_.descriptorPath(), lockName)) {
    // Only a lock whose process is gone is stale, however old it is.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    // The server goes while the members its handlers use still exist; closing it removes the
    // socket (through the folder, still open), then the lock goes with its member. The held
    // connections go with this object, their handlers disconnected by then.
    delete std::exchange(server_, nullptr);
}

SingleInstance::Role SingleInstance::start(const Request& request) {
    QByteArray line = request ? request->toEncoded() : QByteArray();
    if (line.size() > maxLineBytes) {
        log::error(logCategory, "a link longer than the running program takes was dropped");
        line.clear();
    }
    line += '\n';
    const QDeadlineTimer deadline(patience_);
    openToOwner(lock_.fileName());
    for (;;) {
        if (lock_.tryLock(0)) {
            openToOwner(lock_.fileName());
            listenOrLetGo();
            return Role::primary;
        }
        if (lock_.error() != QLockFile::LockFailedError) {
            log::error(logCategory, "couldn't take " + lockPath_.toStdString() + ": running without hand-over");
            return Role::primary;
        }
        if (send(socketPath_, line, deadline)) return Role::handedOver;
        if (removeLeftOverLock(lock_)) {
            log::error(logCategory, "removed " + lockPath_.toStdString() + ", left by a program that is gone");
            continue;
        }
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

void SingleInstance::listenOrLetGo() {
    // The lock is ours, so a socket here was left by a process that died.
    QLocalServer::removeServer(socketPath_);
    auto* server = new QLocalServer(this);
    if (!server->listen(socketPath_)) {
        // A lock without a server would keep every later launch waiting in vain.
        log::error(logCategory, "couldn't listen on " + inFolder(folder_.path(), socketName).toStdString() + ": " +
                                    server->errorString().toStdString() + "; running without hand-over");
        delete server;
        lock_.unlock();
        return;
    }
    openToOwner(socketPath_);
    server->installEventFilter(this);
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::accept);
    server_ = server;
}

bool SingleInstance::eventFilter(QObject* watched, QEvent* event) {
    // Qt's server closes for good when an accept fails (the process is out of descriptors,
    // say), removing its socket; it tells no one, but drops its notifier, a child of its own.
    if (watched == server_ && event->type() == QEvent::ChildRemoved && server_->socketDescriptor() == -1 &&
        !listeningAgain_) {
        listeningAgain_ = true;
        QMetaObject::invokeMethod(this, &SingleInstance::listenAgain, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void SingleInstance::listenAgain() {
    listeningAgain_ = false;
    log::error(logCategory, "the socket closed on an error (" + server_->errorString().toStdString() +
                                "): listening again");
    delete std::exchange(server_, nullptr);
    listenOrLetGo();
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // Held apart from the server, which may be made anew.
        socket->setParent(this);
        if (held_.size() >= maxHeldConnections) {
            if (!crowded_) log::error(logCategory, "more connections at once than are held: the oldest are closed");
            crowded_ = true;
            drop(held_.front());
        }
        held_.push_back(socket);
        // Room for one line and its newline: what doesn't fit is too long.
        socket->setReadBufferSize(maxLineBytes + 1);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        QTimer::singleShot(patience_, socket, [this, socket] {
            if (drop(socket)) log::error(logCategory, "a silent connection was closed");
        });
        read(socket);
    }
}

void SingleInstance::read(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() <= maxLineBytes) return; // more is on its way
        log::error(logCategory, "an over-long line was dropped");
        drop(socket);
        return;
    }
    QByteArray line = socket->readLine();
    line.chop(1);
    // Hanging up tells the sender its line was taken.
    drop(socket);
    if (line.isEmpty()) return deliver(std::nullopt);
    QUrl link = QUrl::fromEncoded(line);
    if (!link.isValid()) return log::error(logCategory, "a line that is no link was dropped");
    deliver(std::move(link));
}

bool SingleInstance::drop(QLocalSocket* socket) {
    const auto found = std::find(held_.begin(), held_.end(), socket);
    if (found == held_.end()) return false;
    held_.erase(found);
    if (held_.empty()) crowded_ = false;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    return true;
}

void SingleInstance::deliver(Request request) {
    if (receiver_)
        receiver_(request);
    else
        pending_.push_back(std::move(request));
}

} // namespace zantiva
