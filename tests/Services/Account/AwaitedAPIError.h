#pragma once

// The APIError a task of the account services ended with.

#include <exception>
#include <optional>

#include "../../Support/AwaitTask.h"
#include "Account/APIError.h"

namespace zantiva::testing {

// Absent when the task ended otherwise.
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
