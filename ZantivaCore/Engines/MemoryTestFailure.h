#pragma once

#include <cstdint>
#include <stdexcept>

#include "Localization/LocalizedMessage.h"

namespace zantiva {

// The memory test could not get its buffer. The test did not run; nothing was measured.
// what() is an English line for the log.
struct MemoryTestFailure : std::runtime_error {
    explicit MemoryTestFailure(std::int64_t bytes);
    // "Ram.ReserveFailed" with the size in MiB.
    LocalizedMessage userMessage() const;
    std::int64_t requestedBytes;
};

} // namespace zantiva
