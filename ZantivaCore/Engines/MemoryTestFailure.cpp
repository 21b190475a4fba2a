#include "Engines/MemoryTestFailure.h"

#include <string>

namespace zantiva {

MemoryTestFailure::MemoryTestFailure(std::int64_t bytes)
    : std::runtime_error("couldn't reserve " + std::to_string(bytes / (1024 * 1024)) +
                         " MiB of memory for the memory test"),
      requestedBytes(bytes) {}

} // namespace zantiva
