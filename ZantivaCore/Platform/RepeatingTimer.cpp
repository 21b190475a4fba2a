#include "Platform/RepeatingTimer.h"

namespace zantiva {

RepeatingTimer::RepeatingTimer(ThreadIdentity identity, std::chrono::nanoseconds interval,
                               std::function<void()> tick) {
    thread_ = startNamedThread(std::move(identity),
                               [this, interval, tick = std::move(tick)] { loop(interval, tick); });
}

RepeatingTimer::~RepeatingTimer() { stop(); }

void RepeatingTimer::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void RepeatingTimer::loop(std::chrono::nanoseconds interval, const std::function<void()>& tick) {
    auto due = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        lock.unlock();
        tick();
        lock.lock();
        due += interval;
        const auto now = std::chrono::steady_clock::now();
        if (due < now) due = now;
        wake_.wait_until(lock, due, [this] { return stopping_; });
    }
}

} // namespace zantiva
