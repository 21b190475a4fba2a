#pragma once

#include <QDBusConnection>
#include <QString>
#include <chrono>

#include "Platform/ProcessActivity.h"

namespace zantiva {

// Keeps the machine and the display awake through the desktop's own services: a logind
// sleep inhibitor on the system bus (held as long as its file descriptor is open) and a
// screen-saver inhibition on the session bus (ended with its cookie). A bus or service
// that is missing, refuses or doesn't answer within the call limit means that part is not
// held; nothing is reported. Engines call begin() from their own threads, with or without a
// QCoreApplication and its event loop: every call here is a blocking one.
class DesktopActivity final : public ProcessActivity {
public:
    // Long enough for a healthy service, short enough that an engine never waits on a stuck one.
    static constexpr std::chrono::milliseconds defaultCallLimit{1000};

    // The machine's system bus and this login's session bus.
    DesktopActivity();
    // The buses at these addresses; an empty address is a bus that isn't there.
    DesktopActivity(const QString& systemBusAddress, const QString& sessionBusAddress,
                    std::chrono::milliseconds callLimit = defaultCallLimit);
    ~DesktopActivity() override;

    // The machine's buses, reached at the first begin() rather than here: what the program
    // hands its runs, so that a launch that runs nothing connects to nothing.
    static std::shared_ptr<ProcessActivity> deferred();

    DesktopActivity(const DesktopActivity&) = delete;
    DesktopActivity& operator=(const DesktopActivity&) = delete;

    std::unique_ptr<ActivityHold> begin(std::string_view reason, ActivityOptions options) override;

private:
    // Connected once here; a bus that could not be reached stays unconnected, so begin()
    // only reads these and needs no lock.
    const QDBusConnection system_;
    const QDBusConnection session_;
    const std::chrono::milliseconds callLimit_;
};

} // namespace zantiva
