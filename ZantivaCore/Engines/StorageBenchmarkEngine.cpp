#include "Engines/StorageBenchmarkEngine.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>
#include <unistd.h>

#include "Engines/EngineThread.h"
#include "Engines/StorageBenchmarkFailure.h"
#include "Engines/StorageBuffer.h"
#include "Engines/StorageIoRun.h"
#include "Engines/StorageTargetCheck.h"
#include "Engines/StorageTestFile.h"
#include "Platform/MonotonicClock.h"

namespace zantiva {
namespace {

constexpr std::size_t poolSize = 67'108'864;
constexpr std::int64_t prefillChunk = 1'048'576;
constexpr std::int64_t prefillPoolSpan = 66'060'288; // keeps every chunk inside the pool

// Writes all of `length` bytes. A short write is continued rather than judged by an errno
// the kernel never set: the next call either reports the real cause or, making no progress
// at all, shows the drive is full.
void writeFully(int fd, const std::byte* source, std::int64_t length, std::int64_t offset) {
    while (length > 0) {
        const ssize_t written = ::pwrite(fd, source, length, offset);
        if (written < 0) {
            if (errno == EINTR) continue;
            throw StorageBenchmarkFailure::fromErrno(errno);
        }
        if (written == 0) throw StorageBenchmarkFailure::fromErrno(ENOSPC);
        source += written;
        length -= written;
        offset += written;
    }
}

// Every read of the tests then meets written, incompressible blocks.
void prefill(int fd, const StorageBuffer& pool, std::int64_t fileSize, const CancelToken& cancel) {
    for (std::int64_t position = 0; position < fileSize; position += prefillChunk) {
        cancel.throwIfCancelled();
        writeFully(fd, pool.data() + position % prefillPoolSpan, std::min(prefillChunk, fileSize - position),
                   position);
    }
    if (::fsync(fd) != 0) throw StorageBenchmarkFailure::fromErrno(errno);
}

} // namespace

StorageBenchmarkEngine::StorageBenchmarkEngine(StorageBenchmarkConfiguration configuration,
                                               std::shared_ptr<ProcessActivity> activity)
    : configuration_(configuration), activity_(activity ? std::move(activity) : noProcessActivity()) {}

StorageBenchmarkResult StorageBenchmarkEngine::run(const std::filesystem::path& folder, const Progress& progress,
                                                   const CancelToken& cancel) const {
    configuration_.validate();
    return runOnEngineThread<StorageBenchmarkResult>(
        {"com.zantiva.storage-benchmark", "zv-ssd", ThreadQoS::userInitiated},
        [&] { return execute(folder, progress, cancel); });
}

StorageBenchmarkResult StorageBenchmarkEngine::execute(const std::filesystem::path& folder, const Progress& progress,
                                                       const CancelToken& cancel) const {
    const auto activity = activity_->begin("Zantiva SSD speed test", {.keepSystemAwake = true, .keepDisplayAwake = false});
    const std::uint64_t start = monotonicRawNanoseconds();
    auto elapsed = [start] { return nanosecondsToSeconds(monotonicRawNanoseconds() - start); };
    const double estimate = configuration_.estimatedSeconds(static_cast<int>(tests.size()));
    auto report = [&](const Test& test, double throughput, int run, bool settling) {
        if (!progress) return;
        const double now = elapsed();
        progress({test.profile, test.isWrite, throughput, now, std::max(now, estimate)}, run, settling);
    };

    StorageTargetCheck::check(folder, configuration_.fileSize);
    const StorageTestFile file = StorageTestFile::create(folder);
    StorageBuffer pool(poolSize);
    ::arc4random_buf(pool.data(), pool.size());

    report({StorageTestProfile::seq1MQ8T1, true}, 0, 0, false);
    prefill(file.descriptor(), pool, configuration_.fileSize, cancel);

    StorageBenchmarkResult result;
    result.targetFolder = folder.string();
    result.fileSizeBytes = configuration_.fileSize;
    const int runs = std::max(configuration_.runsPerTest, 1);

    for (std::size_t i = 0; i < tests.size(); ++i) {
        const Test& test = tests[i];
        if (i > 0 && configuration_.settleSeconds > 0) {
            report(test, 0, 0, true);
            const double end = elapsed() + configuration_.settleSeconds;
            for (double now = elapsed(); now < end; now = elapsed()) {
                cancel.throwIfCancelled();
                std::this_thread::sleep_for(std::chrono::duration<double>(std::clamp(end - now, 0.0, 0.1)));
            }
        }
        const StorageIoRun ioRun{file.descriptor(), test.profile, test.isWrite, &pool, configuration_.fileSize,
                                 configuration_.measureSeconds};
        std::optional<StorageTestMeasurement> best;
        for (int run = 1; run <= runs; ++run) {
            report(test, best ? best->mbps : 0, run, false);
            const StorageTestMeasurement measured =
                ioRun.measure(cancel, [&](double live) { report(test, live, run, false); });
            // Only a strictly faster run replaces the best, with its own IOPS and latency.
            if (!best || measured.mbps > best->mbps) best = measured;
        }
        result.measurement(test.profile, test.isWrite) = best;
    }

    result.durationSeconds = elapsed();
    result.completedAt = std::chrono::system_clock::now();
    return result;
}

} // namespace zantiva
