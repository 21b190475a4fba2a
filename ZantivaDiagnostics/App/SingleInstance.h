#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class QLocalServer;
class QLocalSocket;

namespace zantiva {

// One windowed program per user. The first process takes a lock file and listens on a local
// socket beside it; a later one sends it one line (its link, or nothing: bring the window to
// the front) and ends. A lock left by a process that died is taken over, with its socket.
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

    // $XDG_RUNTIME_DIR when it is a private folder of this user's, else the app's cache
    // folder (AppPaths::cacheFolder), made and checked as a private folder; absent when
    // neither can be had.
    static std::optional<QString> defaultFolder();

    explicit SingleInstance(const QString& folder, std::chrono::milliseconds patience = defaultPatience,
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    const QString& lockPath() const { return lockPath_; }
    const QString& socketPath() const { return socketPath_; }

    // Becomes the running program, or hands the request to the one that runs. A process that
    // holds the lock but isn't listening yet (it is starting, or quitting) is given until
    // `patience` is up.
    Role start(const Request& request);

    // From now on every request goes to the receiver; those that came before go first, in order.
    void setReceiver(Receiver receiver);

private:
    void listen();
    void accept();
    void read(QLocalSocket* socket);
    void deliver(Request request);

    std::chrono::milliseconds patience_;
    QString lockPath_;
    QString socketPath_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
    Receiver receiver_;
    std::vector<Request> pending_;
};

} // namespace zantiva
