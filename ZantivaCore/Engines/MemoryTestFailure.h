#pragma once

#include <cstdint>
#include <stdexcept>

namespace zantiva {

// The memory test could not get its buffer. The test did not run; nothing was measured.
struct MemoryTestFailure : std::runtime_error {
    explicit MemoryTestFailure(std::int64_t bytes);
    std::int64_t requestedBytes;
};

} // namespace zantiva
