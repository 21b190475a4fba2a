#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "Platform/NamedThread.h"

namespace zantiva {

// Calls tick on a thread of its own: once at once, then every interval on a fixed grid
// (a tick that ends within its interval does not shift the ones after it; one that overruns
// restarts the grid from its end) until stop(). Ticks never overlap.
class RepeatingTimer {
public:
    RepeatingTimer(ThreadIdentity identity, std::chrono::nanoseconds interval, std::function<void()> tick);
    ~RepeatingTimer();
    RepeatingTimer(const RepeatingTimer&) = delete;
    RepeatingTimer& operator=(const RepeatingTimer&) = delete;

    // Idempotent. Returns after a tick that was running has ended; no tick follows.
    void stop();

private:
    void loop(std::chrono::nanoseconds interval, const std::function<void()>& tick);

    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace zantiva
