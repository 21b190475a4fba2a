#pragma once

// Runs QCoro tasks to their end from a test (QCoro::waitFor of QCoro 0.8 never returns
// when the task throws). Waits give up after `limit`, so a hanging task fails the test
// instead of the run.

#include <algorithm>
#include <chrono>
#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <variant>

#include <QCoreApplication>
#include <QCoro/QCoroTask>
#include <QElapsedTimer>

namespace zantiva::testing {

inline constexpr std::chrono::milliseconds taskLimit = std::chrono::seconds(30);

// What a task ended with: its value, or the exception it threw.
template <typename T> struct Awaited {
    using Value = std::conditional_t<std::is_void_v<T>, std::monostate, T>;
    std::optional<Value> value;
    std::exception_ptr error;
    bool done = false;
};

// Starts the task; `out` holds its end once `out.done`. Several can run side by side.
template <typename T> QCoro::Task<> capture(QCoro::Task<T> task, Awaited<T>& out) {
    try {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(task);
            out.value.emplace();
        } else {
            out.value.emplace(co_await std::move(task));
        }
    } catch (...) {
        out.error = std::current_exception();
    }
    out.done = true;
}

// Turns the event loop until the condition holds; false when `limit` passed first.
inline bool runUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = taskLimit) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > limit.count()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

// Turns the event loop until `read` has stayed within `tolerance` for `span`, and gives that
// value; nothing when `limit` passed first or it never gave one. For readings that move
// towards their value (a level still rising, a rate still averaging), where the first
// reading past a threshold is not yet the value.
inline std::optional<double> runUntilSteady(const std::function<std::optional<double>()>& read, double tolerance,
                                            std::chrono::milliseconds span, std::chrono::milliseconds limit = taskLimit) {
    QElapsedTimer timer;
    timer.start();
    std::optional<double> low, high;
    qint64 since = 0;
    while (timer.elapsed() <= limit.count()) {
        const std::optional<double> value = read();
        if (!value) {
            low = high = std::nullopt;
        } else if (!low || *value < *high - tolerance || *value > *low + tolerance) {
            low = high = value;
            since = timer.elapsed();
        } else {
            low = std::min(*low, *value);
            high = std::max(*high, *value);
            if (timer.elapsed() - since >= span.count()) return *value;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return std::nullopt;
}

// The task's end, thrown or not; a runtime_error when it did not finish in time.
template <typename T> Awaited<T> awaitOutcome(QCoro::Task<T>&& task, std::chrono::milliseconds limit = taskLimit) {
    Awaited<T> out;
    capture(std::move(task), out);
    if (!runUntil([&] { return out.done; }, limit)) throw std::runtime_error("the task did not finish in time");
    return out;
}

// The task's value, or what it threw rethrown.
template <typename T> T awaitTask(QCoro::Task<T>&& task, std::chrono::milliseconds limit = taskLimit) {
    Awaited<T> out = awaitOutcome(std::move(task), limit);
    if (out.error) std::rethrow_exception(out.error);
    if constexpr (!std::is_void_v<T>) return std::move(*out.value);
}

} // namespace zantiva::testing
