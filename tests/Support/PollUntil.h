#pragma once

// Waits, without an event loop, for what other processes make true (a file written, a
// process gone): looks every 20 ms and gives up after `limit`, so that a hang fails the
// test instead of the run. Tests with a Qt event loop use runUntil instead.

#include <chrono>
#include <functional>
#include <thread>

namespace zantiva::testing {

// Whether `done` held before `limit` passed.
inline bool pollUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= giveUp) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace zantiva::testing
