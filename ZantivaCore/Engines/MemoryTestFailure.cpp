#include "Engines/MemoryTestFailure.h"

#include <string>

namespace zantiva {
namespace {

std::int64_t mebibytes(std::int64_t bytes) { return bytes / (1024 * 1024); }

} // namespace

MemoryTestFailure::MemoryTestFailure(std::int64_t bytes)
    : std::runtime_error("couldn't reserve " + std::to_string(mebibytes(bytes)) + " MiB of memory for the memory test"),
      requestedBytes(bytes) {}

LocalizedMessage MemoryTestFailure::userMessage() const {
    return LocalizedMessage("Ram.ReserveFailed", mebibytes(requestedBytes));
}

} // namespace zantiva
