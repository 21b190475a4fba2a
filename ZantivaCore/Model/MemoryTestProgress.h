#pragma once

#include <string>

#include "Model/ProgressPercent.h"

namespace zantiva {

// A live reading of the memory test.
struct MemoryTestProgress {
    double elapsedSeconds = 0;
    double totalDurationSeconds = 0;
    std::string currentPhase;                  // "write" or "verify"

    double percentComplete() const { return cappedPercent(elapsedSeconds, totalDurationSeconds); }

    bool operator==(const MemoryTestProgress&) const = default;
};

} // namespace zantiva
