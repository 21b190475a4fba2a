#include "Engines/StorageIoRun.h"

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
    std::int64_t cursor = 0; // next block of a sequential run, shared by its threads
    int failure = 0;         // first error number of the run
    int running = 0;
};

struct Counts {
    std::int64_t bytes = 0;
    std::int64_t operations = 0;
    std::uint64_t latencyNanos = 0;
};

void addTo(Tally& tally, Counts& counts) {
    std::lock_guard guard(tally.lock);
    tally.bytes += counts.bytes;
    tally.operations += counts.operations;
    tally.latencyNanos += counts.latencyNanos;
    counts = {};
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
        SplitMix64 generator(start + static_cast<std::uint64_t>(index) * 0x9E3779B97F4A7C15ULL);
        const bool sequential = isSequential(run.profile);
        Counts counts;
        std::uint64_t lastFlush = start;

        for (;;) {
            const std::uint64_t t0 = monotonicRawNanoseconds();
            if (t0 >= deadline || cancel.isCancelled() || abandoned.load(std::memory_order_relaxed)) break;
            std::int64_t blockIndex;
            if (sequential) {
                std::lock_guard guard(tally.lock);
                blockIndex = tally.cursor;
                tally.cursor = (blockIndex + 1) % static_cast<std::int64_t>(blockCount);
            } else {
                blockIndex = static_cast<std::int64_t>(generator.next() % blockCount);
            }
            const off_t offset = blockIndex * block;
            ssize_t done;
            if (run.isWrite) {
                done = ::pwrite(run.descriptor, run.pool->data() + source, block, offset);
                source = (source + block) % poolSpan;
            } else {
                done = ::pread(run.descriptor, readBuffer, block, offset);
            }
            const std::uint64_t t1 = monotonicRawNanoseconds();
            if (done != block) {
                const int error = done < 0 ? errno : EIO;
                std::lock_guard guard(tally.lock);
                if (tally.failure == 0) tally.failure = error;
                break;
            }
            // A request that ends after the deadline belongs to no measured time.
            if (t1 <= deadline) {
                counts.bytes += block;
                counts.operations += 1;
                counts.latencyNanos += t1 - t0;
            }
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
    return StorageTestMeasurement::fromTotals(tally.bytes, tally.operations, measureSeconds,
                                              static_cast<double>(tally.latencyNanos) / 1e9);
}

} // namespace zantiva
