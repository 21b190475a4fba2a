#pragma once

#include "Model/ProgressPercent.h"
#include "Model/StorageTestProfile.h"

namespace zantiva {

// What the storage engine reports while it runs; never stored.
struct StorageBenchmarkProgress {
    StorageTestProfile profile = StorageTestProfile::seq1MQ8T1;
    bool isWrite = false;
    double currentThroughputMBps = 0; // MB/s of 10^6 bytes; 0 while preparing or settling
    double elapsedSeconds = 0;
    double totalDurationSeconds = 0; // the engine's estimate, never below elapsedSeconds

    // 0 to 100; 0 while the total is not known.
    double percentComplete() const { return cappedPercent(elapsedSeconds, totalDurationSeconds); }

    bool operator==(const StorageBenchmarkProgress&) const = default;
};

} // namespace zantiva
