#pragma once

// Stand-ins for the desktop's logind and screen-saver services, each on a private bus of the
// test's own, answering from a thread of their own as a real service answers from its process.

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include "TemporaryFolder.h"

namespace zantiva::testing {

// A dbus-daemon of the test's own, stopped at the end of the scope. It stands in for the
// system bus or the session bus, so each test owns the services' names on it.
class PrivateBus {
public:
    PrivateBus() {
        const std::string configuration = "<busconfig><type>session</type><listen>unix:dir=" + folder_.path().string() +
                                          "</listen><policy context=\"default\"><allow send_destination=\"*\"/>"
                                          "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>";
        writeRaw(folder_ / "bus.conf", configuration);
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=%1").arg(QString::fromStdString((folder_ / "bus.conf").string())),
                       QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(10000)) {}
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon_.terminate();
        daemon_.waitForFinished();
    }

    const QString& address() const { return address_; }

private:
    TemporaryFolder folder_;
    QProcess daemon_;
    QString address_;
};

// One service on a private bus, answered on the fakes' own thread as a real service answers
// from its own process while the caller blocks. Records what it was asked.
class FakeService : public QDBusVirtualObject {
public:
    void publish(const QString& busAddress, const QString& service, const QString& path, QThread& thread) {
        moveToThread(&thread);
        static std::atomic<int> count{0};
        connection_.emplace(QDBusConnection::connectToBus(busAddress, QStringLiteral("fake-%1").arg(++count)));
        ASSERT_TRUE(connection_->registerService(service));
        ASSERT_TRUE(connection_->registerVirtualObject(path, this, QDBusConnection::SingleNode));
        path_ = path;
    }
    ~FakeService() override {
        if (!connection_) return;
        connection_->unregisterObject(path_);
        QDBusConnection::disconnectFromBus(connection_->name());
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const std::lock_guard lock(lock_);
        calls_.push_back(message.member() + " " + message.path());
        // A service that never answers: the caller's own time limit ends the call.
        if (!answers) return true;
        std::optional<QDBusMessage> reply = answer(message);
        if (reply) connection.send(*reply);
        return reply.has_value();
    }

    std::vector<QString> calls() const { return locked(calls_); }

    std::atomic<bool> answers{true};

protected:
    virtual std::optional<QDBusMessage> answer(const QDBusMessage& message) = 0;
    // A copy of what the answering thread writes.
    template <typename T> T locked(const T& value) const {
        const std::lock_guard lock(lock_);
        return value;
    }

    mutable std::mutex lock_;
    std::vector<QString> calls_;
    std::optional<QDBusConnection> connection_;
    QString path_;
};

// logind's Inhibit: hands out the write end of a pipe and keeps the read end, which sees
// the hang-up once every copy of the write end is closed.
class FakeLogin final : public FakeService {
public:
    ~FakeLogin() override {
        for (const int end : readEnds_) ::close(end);
    }

    std::vector<QVariantList> requests() const { return locked(requests_); }

    // Inhibitors whose descriptor is still open somewhere; when `settled` is asked, gives
    // closings still on their way up to 10 s in all.
    int openLocks(bool settled = false) const {
        const std::lock_guard lock(lock_);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(settled ? 10 : 0);
        int open = 0;
        for (const int end : readEnds_) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd watched{end, POLLIN, 0};
            if (::poll(&watched, 1, std::max(0, int(left.count()))) == 0) ++open;
        }
        return open;
    }

private:
    std::optional<QDBusMessage> answer(const QDBusMessage& message) override {
        if (message.member() != QLatin1String("Inhibit")) return std::nullopt;
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
        QDBusMessage reply = message.createReply(QVariant::fromValue(QDBusUnixFileDescriptor(ends[1])));
        ::close(ends[1]); // the reply holds its own copy until it is sent
        readEnds_.push_back(ends[0]);
        requests_.push_back(message.arguments());
        return reply;
    }

    std::vector<int> readEnds_;
    std::vector<QVariantList> requests_;
};

// The screen saver's Inhibit and UnInhibit, with cookies that are not simply 0, 1, 2.
class FakeScreenSaver final : public FakeService {
public:
    std::vector<uint> given() const { return locked(given_); }
    std::vector<uint> returned() const { return locked(returned_); }
    QVariantList lastRequest() const { return locked(lastRequest_); }

private:
    std::optional<QDBusMessage> answer(const QDBusMessage& message) override {
        if (message.member() == QLatin1String("Inhibit")) {
            lastRequest_ = message.arguments();
            given_.push_back(1000 + 7 * uint(given_.size()));
            return message.createReply(given_.back());
        }
        if (message.member() == QLatin1String("UnInhibit") && message.arguments().size() == 1) {
            returned_.push_back(message.arguments().first().toUInt());
            return message.createReply();
        }
        return std::nullopt;
    }

    std::vector<uint> given_;
    std::vector<uint> returned_;
    QVariantList lastRequest_;
};

} // namespace zantiva::testing
