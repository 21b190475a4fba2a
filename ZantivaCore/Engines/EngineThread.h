#pragma once

#include <exception>
#include <functional>
#include <optional>

#include "Platform/NamedThread.h"

namespace zantiva {

// Runs an engine's body on one fresh thread of its own (named, with its quality of
// service) and hands its result or its exception back to the caller, which blocks
// until the thread has ended. The caller stops the run through the body's CancelToken.
template <typename Result>
Result runOnEngineThread(ThreadIdentity identity, const std::function<Result()>& body) {
    std::optional<Result> result;
    std::exception_ptr error;
    std::thread thread = startNamedThread(std::move(identity), [&] {
        try {
            result.emplace(body());
        } catch (...) {
            error = std::current_exception();
        }
    });
    thread.join();
    if (error) std::rethrow_exception(error);
    return std::move(*result);
}

} // namespace zantiva
