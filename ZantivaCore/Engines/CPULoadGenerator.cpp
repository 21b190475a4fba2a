#include "Engines/CPULoadGenerator.h"

#include <limits>
#include <thread>

#include "Engines/CPUBenchmarkEngine.h"
#include "Engines/WorkerThreads.h"
#include "Platform/MonotonicClock.h"

namespace zantiva::CPULoadGenerator {
namespace {

constexpr std::int64_t chunkStart = 40'000'001;
constexpr int chunkOddNumbers = 2'000;

// The count is thrown away, but the compiler must still believe it is used, or the
// whole chunk would be optimised out and the processor would idle.
inline void keep(int value) { asm volatile("" : : "r"(value) : "memory"); }

std::uint64_t deadlineAfter(double seconds) {
    const std::uint64_t now = monotonicRawNanoseconds();
    if (!(seconds > 0)) return now;
    const double ns = seconds * 1e9;
    const double room = static_cast<double>(std::numeric_limits<std::uint64_t>::max() - now);
    return ns >= room ? std::numeric_limits<std::uint64_t>::max() : now + static_cast<std::uint64_t>(ns);
}

} // namespace

void run(double seconds, const CancelToken& cancel) {
    const std::uint64_t deadline = deadlineAfter(seconds);
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    runOnThreads(processors, [](int) { return ThreadIdentity{"", "", ThreadQoS::userInitiated}; },
                 [&](int) {
                     while (monotonicRawNanoseconds() < deadline && !cancel.isCancelled())
                         keep(CPUBenchmarkEngine::countPrimes(chunkStart, chunkOddNumbers));
                 });
}

} // namespace zantiva::CPULoadGenerator
