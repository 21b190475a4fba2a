#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>

#include "Localization/LocalizedMessage.h"

namespace zantiva {

// The memory test could not get its buffer. The test did not run; nothing was measured.
// what() is an English line for the log and the command line.
struct MemoryTestFailure : std::runtime_error {
    // The system refused the buffer.
    explicit MemoryTestFailure(std::int64_t bytes);
    // Less memory is free to this process than the test needs (its buffer and a margin), so
    // it wasn't asked for: past a cgroup's limit the kernel kills rather than refuses.
    MemoryTestFailure(std::int64_t bytes, std::int64_t neededBytes, std::int64_t freeBytes);

    // "Ram.ReserveFailed" with the size in MiB, or "Ram.NotEnoughMemory" with what the test
    // needs and what is free, in MiB.
    LocalizedMessage userMessage() const;

    std::int64_t requestedBytes;
    std::int64_t neededBytes = 0;
    std::optional<std::int64_t> freeBytes;
};

} // namespace zantiva
