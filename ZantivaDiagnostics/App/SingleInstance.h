#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "App/LockHolder.h"
#include "Platform/FileDescriptor.h"
#include "Platform/PrivateFolder.h"

class QLocalServer;
class QLocalSocket;

namespace zantiva {

// One windowed program per user and machine. The first process takes the lock (a flock on a
// file in the user's runtime folder, which the kernel lets go with its holder, however it
// ends) and listens on a local socket beside it; a later one sends it one line (its link, or
// nothing: bring the window to the front) and ends once the running program answered that it
// took it. The lock is held only while the socket answers: a process that can't listen lets
// the lock go and runs alone, rather than leave every later launch waiting. A lock that can't
// be taken for any reason but a live holder (a link or another user's file in its place, a
// file system without locks, a full or read-only folder) is logged, and the program runs alone.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role {
        primary,    // this process runs the window (without hand-over when it couldn't take the lock or listen)
        handedOver, // the running one took the request: this process is done
        unanswered, // a live holder on this machine listens but didn't take the request in time: it never will
    };
    // What a later launch asks of the running program: open its link, or (none) only come
    // to the front; with the launch's startup id (empty without one), which the window
    // activates with.
    struct Request {
        std::optional<QUrl> link;
        QByteArray startupId;

        Request(std::nullopt_t = std::nullopt) {}
        Request(QUrl link, QByteArray startupId = {}) : link(std::move(link)), startupId(std::move(startupId)) {}
        Request(std::optional<QUrl> link, QByteArray startupId = {})
            : link(std::move(link)), startupId(std::move(startupId)) {}
        bool operator==(const Request&) const = default;
    };
    using Receiver = std::function<void(const Request&)>;

    // The longest line taken, newline excluded; a longer one is dropped unread. A line is the
    // link (URL-encoded, or nothing), then, where the launch had one, a space and its startup id.
    static constexpr qsizetype maxLineBytes = 4096;
    // How long a connection may stay silent, and how long a later launch tries to hand over.
    static constexpr std::chrono::milliseconds defaultPatience{2000};
    // The most connections held at once: a new one beyond it closes the oldest, so that a
    // flood of silent ones neither runs the program out of descriptors nor keeps a real
    // launch waiting behind them.
    static constexpr std::size_t maxHeldConnections = 16;
    // The running program's answer to a line it took: one byte, which it sends before it acts.
    static constexpr char taken = '\x06';

    // The user's runtime folder (userRuntimeFolder, with the desktop sessions' folders in
    // `sessions`), where locks are local to this machine and go with a reboot. Absent when
    // there is none but a temporary folder made for this run only (the shared name was
    // another user's): no later launch could find it, and the program runs alone.
    static std::optional<PrivateFolder> defaultFolder(const std::filesystem::path& sessions = "/run/user");

    explicit SingleInstance(PrivateFolder folder, std::chrono::milliseconds patience = defaultPatience,
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // The lock by the folder's path, as messages name it.
    const QString& lockPath() const { return lockPath_; }
    // The socket reached through the open folder ("/proc/<pid>/fd/<n>/…"): a socket's address
    // holds 108 bytes, however long the folder's own path is.
    const QString& socketPath() const { return socketPath_; }
    // Who held the lock, as its file says, after a start that didn't become the running program.
    const std::optional<LockHolder>& holder() const { return holder_; }

    // The line that asks for `request`, newline excluded. A link longer than a line takes is left
    // out, and so is a startup id that is none or finds no room after the link.
    static QByteArray lineOf(const Request& request);
    // What a line asks, its newline taken off; none when it is no link. A startup id that is none
    // is left out, and `startupIdLeftOut` (where given) says so.
    static std::optional<Request> requestOf(QByteArray line, bool* startupIdLeftOut = nullptr);

    // Becomes the running program, or hands the request to the one that runs. A process that
    // holds the lock but isn't listening yet (it is starting, or quitting) is given until
    // `patience` is up. A line that wasn't taken by then is withdrawn: the running program
    // never acts on it.
    Role start(const Request& request);

    // From now on every request goes to the receiver; those that came before go first, in order.
    void setReceiver(Receiver receiver);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether the lock file's name still names the file open at `fd`.
    bool namesLockFile(int fd) const;
    // Writes who holds the lock into it, for a later launch to name.
    void writeRecord();
    std::optional<LockHolder> readRecord() const;
    // Listens, or lets the lock go when it can't.
    void listenOrLetGo();
    void listenAgain();
    // Removes the lock file and lets the lock go.
    void letGo();
    void accept();
    void read(QLocalSocket* socket);
    // Closes a held connection; false when it was no longer held.
    bool drop(QLocalSocket* socket);
    void deliver(Request request);

    PrivateFolder folder_;
    std::chrono::milliseconds patience_;
    QString lockPath_;
    QString socketPath_;
    FileDescriptor lock_;
    std::optional<LockHolder> holder_;
    QLocalServer* server_ = nullptr;
    bool listeningAgain_ = false;
    // Oldest first; each is a child of this object.
    std::deque<QLocalSocket*> held_;
    bool crowded_ = false;
    Receiver receiver_;
    std::vector<Request> pending_;
};

} // namespace zantiva
