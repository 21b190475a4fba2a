#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <utility>

#include <QCoro/QCoroFuture>
#include <QCoro/QCoroTask>
#include <QFuture>
#include <QtConcurrent/QtConcurrentRun>

#include "Platform/CancelToken.h"

namespace zantiva {

// How a blocking call ended: its value or what it threw. The worker never lets an
// exception into the future, so waiting for the future never throws.
template <typename Result> struct EngineOutcome {
    std::optional<Result> value;
    std::exception_ptr error;
};

// Awaits a started call on the main thread and gives back its value or rethrows its
// exception. A free coroutine, so that it touches no owner that may be gone when it resumes.
template <typename Result> QCoro::Task<Result> awaitOutcome(QFuture<EngineOutcome<Result>> future) {
    EngineOutcome<Result> outcome = co_await future;
    if (outcome.error) std::rethrow_exception(outcome.error);
    co_return std::move(*outcome.value);
}

// Runs one blocking engine or reader call at a time for a main-thread runner, off the main
// thread, with a fresh cancel token per call. The runner cancels the call under way through
// it, and its destruction waits until the worker has ended, so no engine thread (nor its
// temporary file) outlives the runner.
class EngineCall {
public:
    EngineCall() = default;
    EngineCall(const EngineCall&) = delete;
    EngineCall& operator=(const EngineCall&) = delete;
    ~EngineCall() { cancelAndWait(); }

    // Starts body with this call's token on a worker thread; the task gives its value or
    // rethrows what it threw (CancellationError once cancelled). Keep the task in a named
    // local and await that: g++ 12 destroys the temporaries of a co_await expression twice.
    template <typename Result> QCoro::Task<Result> run(std::function<Result(const CancelToken&)> body) {
        token_ = CancelToken();
        QFuture<EngineOutcome<Result>> future = QtConcurrent::run([body = std::move(body), token = token_] {
            EngineOutcome<Result> outcome;
            try {
                outcome.value.emplace(body(token));
            } catch (...) {
                outcome.error = std::current_exception();
            }
            return outcome;
        });
        running_ = QFuture<void>(future);
        return awaitOutcome(std::move(future));
    }

    // Sets the token of the call under way; the engine stops at its next check.
    void cancel() const { token_.cancel(); }
    // Cancels the call under way and blocks until its worker has ended.
    void cancelAndWait() {
        token_.cancel();
        running_.waitForFinished();
    }

private:
    CancelToken token_;
    QFuture<void> running_;
};

} // namespace zantiva
