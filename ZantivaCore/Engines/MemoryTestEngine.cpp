#include "Engines/MemoryTestEngine.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include <sys/mman.h>

#include "Engines/EngineThread.h"
#include "Platform/MonotonicClock.h"
#include "Probes/MemoryHeadroom.h"

namespace zantiva {
namespace {

constexpr double shortestPassSeconds = 1e-6;
constexpr double shortestReportedTotalSeconds = 1.5;
constexpr double bytesPerMiB = 1024.0 * 1024.0;

struct FreeDeleter {
    void operator()(std::byte* p) const { std::free(p); }
};

// Makes the compiler treat the buffer as read and written by someone else here, so the
// verify pass really loads what the write pass stored instead of assuming it.
inline void publish(std::byte* data) { asm volatile("" : : "r"(data) : "memory"); }

// Linux hands out the pages of a fresh allocation only on first touch; the first write
// pass would then time page faults, not memory. Backing the buffer now (with huge pages
// where the kernel offers them) keeps that out of the rates and turns memory the system
// can't give into a failure here rather than in the middle of a pass.
bool makeResident(std::byte* data, std::size_t size) {
    madvise(data, size, MADV_HUGEPAGE);
    if (madvise(data, size, MADV_POPULATE_WRITE) == 0) return true;
    return errno != ENOMEM && errno != EFAULT;  // EINVAL: a kernel without it, touch as we go
}

double secondsSince(std::uint64_t start) {
    return std::max(nanosecondsToSeconds(monotonicRawNanoseconds() - start), shortestPassSeconds);
}

// The bytes of a piece that don't hold the pattern written to it.
std::int64_t wrongBytes(const std::byte* piece, std::size_t size, std::uint8_t pattern) {
    return std::count_if(piece, piece + size, [pattern](std::byte b) { return b != static_cast<std::byte>(pattern); });
}

} // namespace

MemoryTestEngine::MemoryTestEngine(std::int64_t testBytes, AfterWrite afterWrite, ProbeRoot root)
    : testBytes_(testBytes), afterWrite_(std::move(afterWrite)), root_(std::move(root)) {
    if (testBytes_ <= 0 || testBytes_ % chunkBytes != 0)
        throw std::invalid_argument("memory test size must be a positive multiple of 4 MiB");
}

MemoryTestResult MemoryTestEngine::run(const Progress& progress, const CancelToken& cancel) const {
    return runOnEngineThread<MemoryTestResult>({"com.zantiva.memory-test", "zv-memory", ThreadQoS::userInitiated},
                                               [&] { return execute(progress, cancel); });
}

MemoryTestResult MemoryTestEngine::execute(const Progress& progress, const CancelToken& cancel) const {
    const std::uint64_t start = monotonicRawNanoseconds();
    // A cgroup's limit isn't an allocation that fails: the kernel kills the process (and with
    // it the window) while the buffer is made resident. So what may be taken is looked at first.
    const std::int64_t needed = testBytes_ + spareBytes;
    if (const auto free = MemoryHeadroom::read(root_).freeBytes(); free && *free < static_cast<std::uint64_t>(needed))
        throw MemoryTestFailure(testBytes_, needed, static_cast<std::int64_t>(*free));
    const auto size = static_cast<std::size_t>(testBytes_);
    std::unique_ptr<std::byte, FreeDeleter> buffer(static_cast<std::byte*>(std::aligned_alloc(bufferAlignment, size)));
    if (!buffer || !makeResident(buffer.get(), size)) throw MemoryTestFailure(testBytes_);
    std::byte* const data = buffer.get();
    const auto chunk = static_cast<std::size_t>(chunkBytes);
    std::vector<std::byte> reference(chunk);

    auto report = [&](const char* phase, int pass, std::uint8_t pattern, bool verifying) {
        if (!progress) return;
        MemoryTestProgress p;
        p.elapsedSeconds = nanosecondsToSeconds(monotonicRawNanoseconds() - start);
        p.totalDurationSeconds = std::max(p.elapsedSeconds, shortestReportedTotalSeconds);
        p.currentPhase = phase;
        progress(p, pass, pattern, verifying);
    };

    double writeSum = 0;
    double readSum = 0;
    std::int64_t errors = 0;
    const double mebibytes = static_cast<double>(testBytes_) / bytesPerMiB;
    for (std::size_t index = 0; index < patterns.size(); ++index) {
        const std::uint8_t pattern = patterns[index];
        const int pass = static_cast<int>(index) + 1;

        const std::uint64_t writeStart = monotonicRawNanoseconds();
        for (std::size_t offset = 0; offset < size; offset += chunk) {
            cancel.throwIfCancelled();
            std::memset(data + offset, pattern, chunk);
            report("write", pass, pattern, false);
        }
        writeSum += mebibytes / secondsSince(writeStart);
        publish(data);

        if (afterWrite_) afterWrite_(std::span<std::byte>(data, size), pattern);
        std::memset(reference.data(), pattern, chunk);

        const std::uint64_t verifyStart = monotonicRawNanoseconds();
        for (std::size_t offset = 0; offset < size; offset += chunk) {
            cancel.throwIfCancelled();
            const std::byte* piece = data + offset;
            if (std::memcmp(piece, reference.data(), chunk) != 0) errors += wrongBytes(piece, chunk, pattern);
            report("verify", pass, pattern, true);
        }
        readSum += mebibytes / secondsSince(verifyStart);
    }
    const std::uint64_t end = monotonicRawNanoseconds();
    buffer.reset();

    MemoryTestResult result;
    result.testedBytes = testBytes_;
    result.averageWriteThroughputMBps = std::round(writeSum / patterns.size());
    result.averageReadThroughputMBps = std::round(readSum / patterns.size());
    result.errorsDetected = errors;
    result.durationSeconds = nanosecondsToSeconds(end - start);
    return result;
}

} // namespace zantiva
