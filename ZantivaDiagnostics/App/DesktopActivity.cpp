#include "App/DesktopActivity.h"

#include <atomic>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>

#include "Platform/DeferredActivity.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

const QString appName = QStringLiteral("Zantiva Diagnostics");
const QString screenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
// Desktops publish the screen saver under one path or the other (some under both).
const QString screenSaverPaths[] = {QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver")};

QString defaultSystemBus() {
    const QString address = QString::fromLocal8Bit(qgetenv("DBUS_SYSTEM_BUS_ADDRESS"));
    return address.isEmpty() ? QStringLiteral("unix:path=/run/dbus/system_bus_socket") : address;
}

QDBusConnection openBus(const QString& address, const char* role) {
    // Each instance has its own connections, so tests can point several at different buses.
    static std::atomic<int> instances{0};
    const QString name = QStringLiteral("zantiva-activity-%1-%2").arg(QLatin1String(role)).arg(++instances);
    if (address.isEmpty()) return QDBusConnection(name);
    QDBusConnection connection = QDBusConnection::connectToBus(address, name);
    if (!connection.isConnected()) QDBusConnection::disconnectFromBus(name);
    return connection;
}

QDBusMessage call(const QDBusConnection& bus, const QDBusMessage& message, std::chrono::milliseconds limit) {
    // Waits without an event loop: the engine threads have none.
    return bus.call(message, QDBus::Block, int(limit.count()));
}

void logRefusal(std::string_view what, const QDBusMessage& reply) {
    log::info("activity", std::string(what) + " not held: " + reply.errorName().toStdString() + " " +
                              reply.errorMessage().toStdString());
}

// logind keeps the machine from sleeping while any copy of this descriptor is open; with
// "idle" as well, the session counts as in use, so no idle action (lock, suspend) starts.
int inhibitSleep(const QDBusConnection& system, std::string_view reason, bool idleToo,
                 std::chrono::milliseconds limit) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    message << (idleToo ? QStringLiteral("idle:sleep") : QStringLiteral("sleep")) << appName << QString::fromUtf8(reason.data(), qsizetype(reason.size()))
            << QStringLiteral("block");
    const QDBusMessage reply = call(system, message, limit);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
        logRefusal("sleep", reply);
        return -1;
    }
    const auto descriptor = qvariant_cast<QDBusUnixFileDescriptor>(reply.arguments().first());
    // Our own copy: the reply's closes with the reply.
    return descriptor.isValid() ? ::fcntl(descriptor.fileDescriptor(), F_DUPFD_CLOEXEC, 0) : -1;
}

struct ScreenSaverInhibition {
    QString path;
    uint cookie;
};

std::optional<ScreenSaverInhibition> inhibitScreenSaver(const QDBusConnection& session, std::string_view reason,
                                                        std::chrono::milliseconds limit) {
    QDBusMessage reply;
    for (const QString& path : screenSaverPaths) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(screenSaverService, path, screenSaverService, QStringLiteral("Inhibit"));
        message << appName << QString::fromUtf8(reason.data(), qsizetype(reason.size()));
        reply = call(session, message, limit);
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1)
            return ScreenSaverInhibition{path, reply.arguments().first().toUInt()};
        // Only a service that is there but not at this path is worth asking at the other.
        const QString error = reply.errorName();
        if (error != QLatin1String("org.freedesktop.DBus.Error.UnknownObject") &&
            error != QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") &&
            error != QLatin1String("org.freedesktop.DBus.Error.UnknownInterface"))
            break;
    }
    logRefusal("display", reply);
    return std::nullopt;
}

class DesktopHold final : public ActivityHold {
public:
    DesktopHold(int sleepLock, QDBusConnection session, std::optional<ScreenSaverInhibition> screenSaver,
                std::chrono::milliseconds callLimit)
        : sleepLock_(sleepLock), session_(std::move(session)), screenSaver_(std::move(screenSaver)),
          callLimit_(callLimit) {}

    ~DesktopHold() override {
        if (sleepLock_ >= 0) ::close(sleepLock_);
        if (screenSaver_) {
            QDBusMessage message = QDBusMessage::createMethodCall(screenSaverService, screenSaver_->path,
                                                                  screenSaverService, QStringLiteral("UnInhibit"));
            message << screenSaver_->cookie;
            call(session_, message, callLimit_);
        }
    }

    DesktopHold(const DesktopHold&) = delete;
    DesktopHold& operator=(const DesktopHold&) = delete;

private:
    const int sleepLock_;
    // Kept so the cookie goes back over the connection that took it, even after the
    // DesktopActivity is gone.
    const QDBusConnection session_;
    const std::optional<ScreenSaverInhibition> screenSaver_;
    const std::chrono::milliseconds callLimit_;
};

} // namespace

DesktopActivity::DesktopActivity()
    : DesktopActivity(defaultSystemBus(), QString::fromLocal8Bit(qgetenv("DBUS_SESSION_BUS_ADDRESS"))) {}

std::shared_ptr<ProcessActivity> DesktopActivity::deferred() {
    return std::make_shared<DeferredActivity>([] { return std::make_shared<DesktopActivity>(); });
}

DesktopActivity::DesktopActivity(const QString& systemBusAddress, const QString& sessionBusAddress,
                                 std::chrono::milliseconds callLimit)
    : system_(openBus(systemBusAddress, "system")), session_(openBus(sessionBusAddress, "session")),
      callLimit_(callLimit) {}

DesktopActivity::~DesktopActivity() {
    // Holds still out keep their connection alive; this only lets go of the names.
    QDBusConnection::disconnectFromBus(system_.name());
    QDBusConnection::disconnectFromBus(session_.name());
}

std::unique_ptr<ActivityHold> DesktopActivity::begin(std::string_view reason, ActivityOptions options) {
    const int sleepLock = options.keepSystemAwake && system_.isConnected()
                              ? inhibitSleep(system_, reason, options.keepDisplayAwake, callLimit_)
                              : -1;
    std::optional<ScreenSaverInhibition> screenSaver;
    if (options.keepDisplayAwake && session_.isConnected()) screenSaver = inhibitScreenSaver(session_, reason, callLimit_);
    return std::make_unique<DesktopHold>(sleepLock, session_, std::move(screenSaver), callLimit_);
}

} // namespace zantiva
