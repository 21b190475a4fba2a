#pragma once

#include <cstdint>
#include <functional>

#include "Platform/CancelToken.h"
#include "Engines/StorageBuffer.h"
#include "Model/StorageTestMeasurement.h"
#include "Model/StorageTestProfile.h"

namespace zantiva {

// One measured run of one storage test: as many I/O threads as the profile's queue depth,
// each issuing synchronous requests of the profile's block size against the open test file
// until the measuring time is over. Throughput and IOPS are taken over the nominal
// measuring time, the latency is the time around each system call.
struct StorageIoRun {
    int descriptor = -1;
    StorageTestProfile profile = StorageTestProfile::seq1MQ8T1;
    bool isWrite = false;
    const StorageBuffer* pool = nullptr; // random data that every write takes its bytes from
    std::int64_t fileSize = 0;           // at least one block, a multiple of 4096
    double measureSeconds = 0;           // finite, not negative

    // Blocks the calling thread until every I/O thread has ended; calls `live` on it with
    // the throughput so far about every 0.2 s. Throws CancellationError when stopped, else
    // the StorageBenchmarkFailure of the first error number a request met (a short transfer
    // counts as EIO); measurements of a failed or stopped run are dropped.
    StorageTestMeasurement measure(const CancelToken& cancel, const std::function<void(double)>& live) const;
};

} // namespace zantiva
