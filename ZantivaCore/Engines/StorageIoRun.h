#pragma once

#include <cstdint>
#include <functional>
#include <sys/types.h>

#include "Platform/CancelToken.h"
#include "Platform/SplitMix64.h"
#include "Engines/StorageBuffer.h"
#include "Model/StorageTestMeasurement.h"
#include "Model/StorageTestProfile.h"

namespace zantiva {

// One measured run of one storage test: as many I/O threads as the profile's queue depth,
// each issuing synchronous requests of the profile's block size against the open test file
// until the measuring time is over. A request still in flight at the deadline is waited for
// and counted, and a thread that only starts after it still issues one: a stalled drive
// reads as slow, never as an empty run. Throughput and IOPS are taken over the nominal
// measuring time, or until the last counted request ended when that is later; the latency
// is the time around each system call.
struct StorageIoRun {
    // One positioned, synchronous request of `size` bytes at `offset`; returns what pread or
    // pwrite returns. Tests put a stalling or watched drive here.
    using Transfer = std::function<ssize_t(int descriptor, bool isWrite, std::byte* buffer, std::int64_t size,
                                           off_t offset)>;

    int descriptor = -1;
    StorageTestProfile profile = StorageTestProfile::seq1MQ8T1;
    bool isWrite = false;
    const StorageBuffer* pool = nullptr; // random data that every write takes its bytes from
    std::int64_t fileSize = 0;           // at least one block, a multiple of 4096
    double measureSeconds = 0;           // finite, not negative
    Transfer transfer;                   // empty: pread or pwrite on the descriptor

    // Blocks the calling thread until every I/O thread has ended; calls `live` on it with
    // the throughput so far about every 0.2 s. Throws CancellationError when stopped, else
    // the StorageBenchmarkFailure of the first error number a request met (a short transfer
    // counts as EIO); measurements of a failed or stopped run are dropped.
    StorageTestMeasurement measure(const CancelToken& cancel, const std::function<void(double)>& live) const;

    // The generator of thread `index`'s random offsets in a run that started at `start`.
    // Thread 0 starts from the run start itself; every other thread from a point of the
    // generator's sequence that the mixing step puts far from the others, so no thread
    // replays another's offsets.
    static SplitMix64 offsetGenerator(std::uint64_t start, int index);
};

} // namespace zantiva
