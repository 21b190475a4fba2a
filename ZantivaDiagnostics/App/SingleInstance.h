#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "Platform/PrivateFolder.h"

class QLocalServer;
class QLocalSocket;

namespace zantiva {

// One windowed program per data folder, so per user. The first process takes a lock file and
// listens on a local socket beside it; a later one sends it one line (its link, or nothing:
// bring the window to the front) and ends. A lock left by a process that died is taken over,
// with its socket. The lock is held only while the socket answers: a process that can't
// listen lets the lock go and runs alone, rather than leave every later launch waiting.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role {
        primary,    // this process runs the window (without hand-over when it couldn't listen)
        handedOver, // the running one has the request: this process is done
        unanswered, // another process holds the lock but didn't take the request in time
    };
    // What a later launch asks of the running program: open its link, or (none) only come
    // to the front.
    using Request = std::optional<QUrl>;
    using Receiver = std::function<void(const Request&)>;

    // The longest line taken, newline excluded; a longer one is dropped unread.
    static constexpr qsizetype maxLineBytes = 4096;
    // How long a connection may stay silent, and how long a later launch tries to hand over.
    static constexpr std::chrono::milliseconds defaultPatience{2000};
    // The most connections held at once: a new one beyond it closes the oldest, so that a
    // flood of silent ones neither runs the program out of descriptors nor keeps a real
    // launch waiting behind them.
    static constexpr std::size_t maxHeldConnections = 16;

    // The app's data folder (AppPaths::applicationSupport), made when missing and checked as
    // a private folder. The lock guards the stores kept there, so every launch on them finds
    // it, whatever else its environment says ($XDG_RUNTIME_DIR above all). Absent without a
    // home folder, or when the folder is refused: nothing is stored then, and the program
    // runs alone.
    static std::optional<PrivateFolder> defaultFolder();

    explicit SingleInstance(PrivateFolder folder, std::chrono::milliseconds patience = defaultPatience,
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // The lock by the folder's path, as messages name it.
    const QString& lockPath() const { return lockPath_; }
    // The socket reached through the open folder ("/proc/<pid>/fd/<n>/…"): a socket's address
    // holds 108 bytes, however long the folder's own path is.
    const QString& socketPath() const { return socketPath_; }

    // Becomes the running program, or hands the request to the one that runs. A process that
    // holds the lock but isn't listening yet (it is starting, or quitting) is given until
    // `patience` is up.
    Role start(const Request& request);

    // From now on every request goes to the receiver; those that came before go first, in order.
    void setReceiver(Receiver receiver);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Listens, or lets the lock go when it can't.
    void listenOrLetGo();
    void listenAgain();
    void accept();
    void read(QLocalSocket* socket);
    // Closes a held connection; false when it was no longer held.
    bool drop(QLocalSocket* socket);
    void deliver(Request request);

    PrivateFolder folder_;
    std::chrono::milliseconds patience_;
    QString lockPath_;
    QString socketPath_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
    bool listeningAgain_ = false;
    // Oldest first; each is a child of this object.
    std::deque<QLocalSocket*> held_;
    bool crowded_ = false;
    Receiver receiver_;
    std::vector<Request> pending_;
};

} // namespace zantiva
