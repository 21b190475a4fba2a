#include "Engines/MemoryTestFailure.h"

#include <string>

namespace zantiva {
namespace {

std::int64_t mebibytes(std::int64_t bytes) { return bytes / (1024 * 1024); }

std::string reserveLine(std::int64_t bytes) {
    return "couldn't reserve " + std::to_string(mebibytes(bytes)) + " MiB of memory for the memory test";
}

} // namespace

MemoryTestFailure::MemoryTestFailure(std::int64_t bytes) : std::runtime_error(reserveLine(bytes)), requestedBytes(bytes) {}

MemoryTestFailure::MemoryTestFailure(std::int64_t bytes, std::int64_t neededBytes, std::int64_t freeBytes)
    : std::runtime_error(reserveLine(bytes) + ": it needs " + std::to_string(mebibytes(neededBytes)) +
                         " MiB free, and only " + std::to_string(mebibytes(freeBytes)) +
                         " MiB is free to this program"),
      requestedBytes(bytes), neededBytes(neededBytes), freeBytes(freeBytes) {}

LocalizedMessage MemoryTestFailure::userMessage() const {
    if (freeBytes) return LocalizedMessage("Ram.NotEnoughMemory", mebibytes(neededBytes), mebibytes(*freeBytes));
    return LocalizedMessage("Ram.ReserveFailed", mebibytes(requestedBytes));
}

} // namespace zantiva
