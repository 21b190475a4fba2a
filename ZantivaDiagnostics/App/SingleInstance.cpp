#include "App/SingleInstance.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <system_error>
#include <unistd.h>
#include <utility>

#include "App/StartupId.h"
#include "Platform/DescriptorIO.h"
#include "Platform/Log.h"
#include "Platform/UserRuntimeFolder.h"

namespace zantiva {
namespace {

constexpr char logCategory[] = "instance";
constexpr char lockName[] = "zantiva-diagnostics.lock";
constexpr char socketName[] = "zantiva-diagnostics.socket";
// How long a later launch waits between tries while the lock's holder isn't listening.
constexpr unsigned long retryMilliseconds = 50;
// Far more than a holder's record takes.
constexpr std::size_t maxRecordBytes = 1024;

int remaining(const QDeadlineTimer& deadline) { return int(std::max<qint64>(deadline.remainingTime(), 0)); }

enum class Answer {
    taken,        // the running program answered that it took the line
    notListening, // nothing listens on the socket
    closed,       // it closed without taking the line (it was quitting): worth another try
    busy,         // it listens but didn't take the line in time: the line is withdrawn
};

// One line to the running program, which answers `taken` before it acts on it. When the time
// is up the launch shuts its reading end: from then on the answer can't be sent, and a program
// whose answer fails drops the line. What the launch then finds in its reading end (the answer
// sent just before, or nothing) says which of the two happened, so both sides agree.
Answer send(const QString& socketPath, const QByteArray& line, const QDeadlineTimer& deadline) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socketPath);
    if (std::size_t(path.size()) >= sizeof address.sun_path) return Answer::notListening;
    std::copy(path.begin(), path.end(), address.sun_path);
    const FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!socket.valid()) return Answer::notListening;
    const int fd = socket.get();
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return errno == EAGAIN ? Answer::busy : Answer::notListening; // EAGAIN: its queue of connections is full
    for (qsizetype sent = 0; sent < line.size();) {
        const ssize_t written = ::send(fd, line.constData() + sent, std::size_t(line.size() - sent), MSG_NOSIGNAL);
        if (written > 0) {
            sent += written;
        } else if (errno == EAGAIN) {
            // A line cut short never ends, and is dropped unread.
            pollfd room{fd, POLLOUT, 0};
            if (::poll(&room, 1, remaining(deadline)) == 0) return Answer::busy;
        } else if (errno != EINTR) {
            return Answer::closed;
        }
    }
    pollfd answer{fd, POLLIN, 0};
    int ready = 0;
    while ((ready = ::poll(&answer, 1, remaining(deadline))) < 0 && errno == EINTR) {}
    if (ready == 0) ::shutdown(fd, SHUT_RD);
    char byte = 0;
    if (::recv(fd, &byte, 1, MSG_DONTWAIT) == 1 && byte == SingleInstance::taken) return Answer::taken;
    return ready == 0 ? Answer::busy : Answer::closed;
}

QString inFolder(const std::filesystem::path& folder, const char* name) {
    return QString::fromStdString((folder / name).string());
}

std::string holderText(const std::optional<LockHolder>& holder) {
    if (!holder) return "a process that hasn't written its number yet";
    return "process " + std::to_string(holder->process) + (holder->namedOtherHost() ? " on host " + holder->host : "");
}

// Why the lock file couldn't be taken, in the words of what stands in its place when that is
// the cause (lockFile neither follows a link nor takes another's file).
std::string whyNotTaken(const QString& path, const std::error_code& error) {
    struct stat entry {};
    if (::lstat(QFile::encodeName(path).constData(), &entry) == 0) {
        if (S_ISLNK(entry.st_mode)) return "a link stands in its place";
        if (!S_ISREG(entry.st_mode)) return "something other than a file stands in its place";
        if (entry.st_uid != ::geteuid()) return "it belongs to user " + std::to_string(entry.st_uid);
    }
    return error.message();
}

} // namespace

std::optional<PrivateFolder> SingleInstance::defaultFolder(const std::filesystem::path& sessions) {
    auto folder = userRuntimeFolder(sessions);
    if (folder && !folder->isForThisRun()) return folder;
    if (folder) folder->removeIfEmpty();
    log::error(logCategory, "no runtime folder that a later launch would find: running without hand-over");
    return std::nullopt;
}

SingleInstance::SingleInstance(PrivateFolder folder, std::chrono::milliseconds patience, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), patience_(patience), lockPath_(inFolder(folder_.path(), lockName)),
      socketPath_(inFolder(folder_.descriptorPath(), socketName)) {}

SingleInstance::~SingleInstance() {
    // The server goes while the members its handlers use still exist; closing it removes the
    // socket (through the folder, still open), then the lock goes. The held connections go
    // with this object, their handlers disconnected by then.
    delete std::exchange(server_, nullptr);
    letGo();
}

QByteArray SingleInstance::lineOf(const Request& request) {
    QByteArray line = request.link ? request.link->toEncoded() : QByteArray();
    if (line.size() > maxLineBytes) line.clear();
    // The startup id goes where the line has room for it; the link matters more.
    if (StartupId::isValid(request.startupId) && line.size() + 1 + request.startupId.size() <= maxLineBytes)
        line += ' ' + request.startupId;
    return line;
}

std::optional<SingleInstance::Request> SingleInstance::requestOf(QByteArray line, bool* startupIdLeftOut) {
    // An encoded link holds no space: what follows one is the launch's startup id. A line of
    // an earlier version has none.
    const qsizetype space = line.indexOf(' ');
    QByteArray startupId = space < 0 ? QByteArray() : line.mid(space + 1);
    if (space >= 0) line.truncate(space);
    const bool leftOut = !startupId.isEmpty() && !StartupId::isValid(startupId);
    if (leftOut) startupId.clear();
    if (startupIdLeftOut) *startupIdLeftOut = leftOut;
    if (line.isEmpty()) return Request(std::nullopt, std::move(startupId));
    QUrl link = QUrl::fromEncoded(line);
    if (!link.isValid()) return std::nullopt;
    return Request(std::move(link), std::move(startupId));
}

SingleInstance::Role SingleInstance::start(const Request& request) {
    if (request.link && request.link->toEncoded().size() > maxLineBytes)
        log::error(logCategory, "a link longer than the running program takes was dropped");
    const QByteArray line = lineOf(request) + '\n';
    const QDeadlineTimer deadline(patience_);
    for (;;) {
        Answer answer = Answer::notListening;
        std::error_code error;
        if (auto lock = folder_.lockFile(lockName, std::chrono::milliseconds(0), error)) {
            if (namesLockFile(lock->get())) {
                lock_ = std::move(*lock);
                holder_.reset();
                writeRecord();
                listenOrLetGo();
                return Role::primary;
            }
            // Its holder removed it as it quit, after this launch had opened it: the next try
            // makes it anew.
        } else if (error != std::errc::timed_out) {
            log::error(logCategory, "couldn't take " + lockPath_.toStdString() + " (" + whyNotTaken(lockPath_, error) +
                                        "; it is left as it is): running without hand-over");
            return Role::primary;
        } else {
            holder_ = readRecord();
            // A shared folder shows it holds the lock, but its socket can't be reached from here.
            if (holder_ && !holder_->onThisMachine()) {
                log::error(logCategory, lockPath_.toStdString() + " is held by " + holderText(holder_) +
                                            ", another machine: running without hand-over");
                return Role::primary;
            }
            answer = send(socketPath_, line, deadline);
            if (answer == Answer::taken) return Role::handedOver;
        }
        if (deadline.hasExpired()) {
            if (answer != Answer::notListening) return Role::unanswered;
            log::error(logCategory, lockPath_.toStdString() + " is held by " + holderText(holder_) +
                                        ", which doesn't listen: running without hand-over");
            return Role::primary;
        }
        QThread::msleep(retryMilliseconds);
    }
}

bool SingleInstance::namesLockFile(int fd) const {
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 &&
           ::fstatat(AT_FDCWD, (folder_.descriptorPath() / lockName).c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

void SingleInstance::writeRecord() {
    // Only read to name the holder to a later launch: a full folder costs that, not the lock.
    const std::string record = LockHolder::thisProcess().record();
    if (::ftruncate(lock_.get(), 0) != 0 ||
        ::pwrite(lock_.get(), record.data(), record.size(), 0) != ssize_t(record.size()))
        log::error(logCategory, "couldn't write who holds " + lockPath_.toStdString() + ": " + lastError().message());
}

std::optional<LockHolder> SingleInstance::readRecord() const {
    const FileDescriptor file(
        ::open((folder_.descriptorPath() / lockName).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid()) return std::nullopt;
    const auto record = readUpTo(file.get(), maxRecordBytes);
    return record ? LockHolder::fromRecord(*record) : std::nullopt;
}

void SingleInstance::letGo() {
    if (!lock_.valid()) return;
    // Removed while still held, and only while its name is still this file: a launch that
    // opened it meanwhile finds its lock on a file no longer named so, and tries again.
    if (namesLockFile(lock_.get())) folder_.removeOwnFile(lockName);
    lock_.reset();
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
        letGo();
        return;
    }
    // 0600 whatever the umask (one that takes the owner's bits would leave a socket none can
    // connect to); the socket just made is changed, never what a link names.
    ::fchmodat(AT_FDCWD, QFile::encodeName(socketPath_).constData(), 0600, AT_SYMLINK_NOFOLLOW);
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
    // The answer is the point of no return: it goes through only while the launch still
    // waits for it, and then the launch reports success; one that gave up withdrew the line.
    const bool answered = ::send(int(socket->socketDescriptor()), &taken, 1, MSG_NOSIGNAL | MSG_DONTWAIT) == 1;
    drop(socket);
    if (!answered) return log::error(logCategory, "a launch gave up waiting before its line was taken: dropped");
    bool startupIdLeftOut = false;
    auto request = requestOf(std::move(line), &startupIdLeftOut);
    if (startupIdLeftOut) log::error(logCategory, "a launch's startup id that is none was left out");
    if (!request) return log::error(logCategory, "a line that is no link was dropped");
    deliver(std::move(*request));
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
