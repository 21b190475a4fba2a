#include "Engines/StorageIoRun.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "Engines/StorageBenchmarkFailure.h"
#include "Platform/MonotonicClock.h"
#include "Platform/NamedThread.h"
#include "Platform/SplitMix64.h"

namespace zantiva {
namespace {

constexpr std::uint64_t flushIntervalNanos = 100'000'000;
constexpr auto liveInterval = std::chrono::milliseconds(200);

// The totals every I/O thread of a run adds to, and the count of threads still running.
struct Tally {
    std::mutex lock;
    std::condition_variable threadEnded;
    std::int64_t bytes = 0;
    std::int64_t operations = 0;
    std::uint64_t latencyNanos = 0;
    std::uint64_t lastEnd = 0; // when the last counted request ended
    std::int64_t cursor = 0; // next block of a sequential run, shared by its threads
    int failure = 0;         // first error number of the run
    int running = 0;
};

struct Counts {
    std::int64_t bytes = 0;
    std::int64_t operations = 0;
    std::uint64_t latencyNanos = 0;
    std::uint64_t lastEnd = 0;
};

void addTo(Tally& tally, Counts& counts) {
    std::lock_guard guard(tally.lock);
    tally.bytes += counts.bytes;
    tally.operations += counts.operations;
    tally.latencyNanos += counts.latencyNanos;
    tally.lastEnd = std::max(tally.lastEnd, counts.lastEnd);
    counts = {};
}

ssize_t positioned(int descriptor, bool isWrite, std::byte* buffer, std::int64_t size, off_t offset) {
    return isWrite ? ::pwrite(descriptor, buffer, size, offset) : ::pread(descriptor, buffer, size, offset);
}

struct Loop {
    const StorageIoRun& run;
    Tally& tally;
    const CancelToken& cancel;
    const std::atomic<bool>& abandoned; // set when the run could not start all its threads
    std::uint64_t start;
    std::uint64_t deadline;

    void operator()(int index, std::byte* readBuffer) const {
        const std::int64_t block = blockSize(run.profile);
        const auto blockCount = static_cast<std::uint64_t>(run.fileSize / block);
        const std::int64_t poolSpan = static_cast<std::int64_t>(run.pool->size()) - block;
        std::int64_t source = index * 7 * block % poolSpan;
        SplitMix64 generator = StorageIoRun::offsetGenerator(start, index);
        const bool sequential = isSequential(run.profile);
        Counts counts;
        std::uint64_t lastFlush = start;
        bool issued = false;

        for (;;) {
            const std::uint64_t t0 = monotonicRawNanoseconds();
            // A thread that starts late still takes its turn, unless there is no window at all.
            const bool windowOver = t0 >= deadline && (issued || deadline == start);
            if (windowOver || cancel.isCancelled() || abandoned.load(std::memory_order_relaxed)) break;
            issued = true;
            std::int64_t blockIndex;
            if (sequential) {
                std::lock_guard guard(tally.lock);
                blockIndex = tally.cursor;
                tally.cursor = (blockIndex + 1) % static_cast<std::int64_t>(blockCount);
            } else {
                blockIndex = static_cast<std::int64_t>(generator.next() % blockCount);
            }
            const off_t offset = blockIndex * block;
            // A write only reads its buffer: the pool stays unchanged.
            std::byte* buffer = run.isWrite ? const_cast<std::byte*>(run.pool->data()) + source : readBuffer;
            const ssize_t done = run.transfer ? run.transfer(run.descriptor, run.isWrite, buffer, block, offset)
                                              : positioned(run.descriptor, run.isWrite, buffer, block, offset);
            if (run.isWrite) source = (source + block) % poolSpan;
            const std::uint64_t t1 = monotonicRawNanoseconds();
            if (done != block) {
                const int error = done < 0 ? errno : EIO;
                std::lock_guard guard(tally.lock);
                if (tally.failure == 0) tally.failure = error;
                break;
            }
            // A request that ends after the deadline is counted too, and stretches the run's time.
            counts.bytes += block;
            counts.operations += 1;
            counts.latencyNanos += t1 - t0;
            counts.lastEnd = t1;
            if (t1 - lastFlush > flushIntervalNanos) {
                addTo(tally, counts);
                lastFlush = t1;
            }
        }
        addTo(tally, counts);
    }
};

} // namespace

StorageTestMeasurement StorageIoRun::measure(const CancelToken& cancel, const std::function<void(double)>& live) const {
    const std::int64_t block = blockSize(profile);
    const int threadCount = queueDepth(profile);
    // Each reading thread gets its own aligned buffer, made here so a shortage of memory
    // fails the run instead of an I/O thread.
    std::vector<std::unique_ptr<StorageBuffer>> readBuffers;
    if (!isWrite)
        for (int i = 0; i < threadCount; ++i) readBuffers.push_back(std::make_unique<StorageBuffer>(block));

    Tally tally;
    std::atomic<bool> abandoned = false;
    const std::uint64_t start = monotonicRawNanoseconds();
    const auto measuringNanos = static_cast<std::uint64_t>(measureSeconds * 1e9);
    const Loop loop{*this, tally, cancel, abandoned, start, start + measuringNanos};

    // However this function ends (a thread that can't start, a live callback that throws),
    // no I/O thread outlives it.
    struct Threads {
        std::atomic<bool>& abandoned;
        std::vector<std::thread> list;
        ~Threads() {
            abandoned = true;
            for (auto& thread : list) thread.join();
        }
    } threads{abandoned, {}};

    for (int i = 0; i < threadCount; ++i) {
        std::byte* readBuffer = isWrite ? nullptr : readBuffers[i]->data();
        auto body = [&loop, &tally, i, readBuffer] {
            loop(i, readBuffer);
            std::lock_guard guard(tally.lock);
            --tally.running;
            tally.threadEnded.notify_all();
        };
        std::lock_guard guard(tally.lock);
        threads.list.push_back(startNamedThread({"com.zantiva.storage-benchmark.io-" + std::to_string(i),
                                                 "zv-ssd-io" + std::to_string(i), ThreadQoS::userInitiated},
                                                body));
        ++tally.running;
    }

    std::unique_lock guard(tally.lock);
    while (!tally.threadEnded.wait_for(guard, liveInterval, [&] { return tally.running == 0; })) {
        const double elapsed = nanosecondsToSeconds(monotonicRawNanoseconds() - start);
        const std::int64_t bytes = tally.bytes;
        if (elapsed > 0 && live) {
            guard.unlock();
            live(static_cast<double>(bytes) / 1e6 / elapsed);
            guard.lock();
        }
    }

    if (cancel.isCancelled()) throw CancellationError();
    if (tally.failure != 0) throw StorageBenchmarkFailure::fromErrno(tally.failure);
    const double seconds =
        tally.operations > 0 ? std::max(measureSeconds, nanosecondsToSeconds(tally.lastEnd - start)) : measureSeconds;
    return StorageTestMeasurement::fromTotals(tally.bytes, tally.operations, seconds,
                                              static_cast<double>(tally.latencyNanos) / 1e9);
}

SplitMix64 StorageIoRun::offsetGenerator(std::uint64_t start, int index) {
    return SplitMix64(start + SplitMix64::mix(static_cast<std::uint64_t>(index) * SplitMix64::step));
}

} // namespace zantiva
