#pragma once

// Runs QCoro tasks to their end from a test: the value or the exception they ended with.

#include <chrono>
#include <exception>
#include <functional>
#include <optional>
#include <type_traits>
#include <variant>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCoro/QCoroTask>
#include <QElapsedTimer>

#include "Account/APIError.h"

namespace zantiva::testing {

template <typename T> struct Awaited {
    using Value = std::conditional_t<std::is_void_v<T>, std::monostate, T>;
    std::optional<Value> value;
    std::exception_ptr error;
    bool done = false;
};

template <typename T> QCoro::Task<> capture(QCoro::Task<T> task, Awaited<T>& out) {
    try {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(task);
            out.value.emplace();
        } else {
            out.value = co_await std::move(task);
        }
    } catch (...) {
        out.error = std::current_exception();
    }
    out.done = true;
}

// Turns the event loop until the condition holds; false after ten seconds.
inline bool runUntil(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 10'000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

template <typename T> Awaited<T> awaitTask(QCoro::Task<T>&& task) {
    Awaited<T> out;
    capture(std::move(task), out);
    EXPECT_TRUE(runUntil([&] { return out.done; })) << "the task did not finish";
    return out;
}

// The APIError the task ended with; absent when it ended otherwise.
template <typename T> std::optional<APIError> apiError(const Awaited<T>& awaited) {
    if (!awaited.error) return std::nullopt;
    try {
        std::rethrow_exception(awaited.error);
    } catch (const APIError& error) {
        return error;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace zantiva::testing
