#pragma once

#include <memory>
#include <string_view>

namespace zantiva {

// What a long run keeps awake while it holds an activity.
struct ActivityOptions {
    bool keepSystemAwake = true;   // no idle sleep of the machine
    bool keepDisplayAwake = false; // no idle blanking of the screen
};

// A held activity; destroying it ends the activity.
class ActivityHold {
public:
    virtual ~ActivityHold() = default;
};

// Keeps the machine (and the display) awake during benchmark runs. The app shell
// supplies the desktop implementation; without one nothing is held.
class ProcessActivity {
public:
    virtual ~ProcessActivity() = default;
    // Never fails: an activity that can't be taken is silently not held.
    virtual std::unique_ptr<ActivityHold> begin(std::string_view reason, ActivityOptions options) = 0;
};

// Holds nothing; the default where no desktop session is at hand (command line, tests).
class NoProcessActivity final : public ProcessActivity {
public:
    std::unique_ptr<ActivityHold> begin(std::string_view reason, ActivityOptions options) override;
};

// The shared no-op instance that engines use when given no activity source.
std::shared_ptr<ProcessActivity> noProcessActivity();

} // namespace zantiva
