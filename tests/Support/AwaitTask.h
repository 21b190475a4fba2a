#pragma once

// Runs a QCoro task to its end from a test and gives its value or rethrows what it threw
// (QCoro::waitFor of QCoro 0.8 never returns when the task throws). Gives up with a
// runtime_error after `limit`, so a hanging task fails the test instead of the run.

#include <chrono>
#include <exception>
#include <optional>
#include <stdexcept>
#include <type_traits>

#include <QCoreApplication>
#include <QCoro/QCoroTask>
#include <QElapsedTimer>

namespace zantiva::testing {

namespace detail {
template <typename T, typename Value>
QCoro::Task<> captureTask(QCoro::Task<T> task, std::optional<Value>& value, std::exception_ptr& error, bool& done) {
    try {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(task);
            value.emplace();
        } else {
            value.emplace(co_await std::move(task));
        }
    } catch (...) {
        error = std::current_exception();
    }
    done = true;
}
} // namespace detail

template <typename T> T awaitTask(QCoro::Task<T>&& task, std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    using Value = std::conditional_t<std::is_void_v<T>, bool, T>;
    std::optional<Value> value;
    std::exception_ptr error;
    bool done = false;
    detail::captureTask(std::move(task), value, error, done);
    QElapsedTimer timer;
    timer.start();
    while (!done) {
        if (timer.elapsed() > limit.count()) throw std::runtime_error("the task did not finish in time");
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    if (error) std::rethrow_exception(error);
    if constexpr (!std::is_void_v<T>) return std::move(*value);
}

} // namespace zantiva::testing
