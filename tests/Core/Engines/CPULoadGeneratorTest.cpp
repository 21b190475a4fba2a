#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include <time.h>

#include "Engines/CPULoadGenerator.h"
#include "Platform/MonotonicClock.h"

namespace zantiva {
namespace {

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

double wallSecondsOf(const std::function<void()>& work) {
    const std::uint64_t t0 = monotonicRawNanoseconds();
    work();
    return nanosecondsToSeconds(monotonicRawNanoseconds() - t0);
}

TEST(CPULoadGenerator, HoldsTheLoadForTheDuration) {
    const double cpu0 = processCpuSeconds();
    const double wall = wallSecondsOf([] { CPULoadGenerator::run(0.4, CancelToken()); });
    EXPECT_GE(wall, 0.4);
    EXPECT_LT(wall, 2.0);
    EXPECT_GT(processCpuSeconds() - cpu0, 0.1);  // busy, not asleep (even on a crowded machine)
}

TEST(CPULoadGenerator, NothingToDoOrCancellationEndsEveryThreadSoon) {
    for (double seconds : {0.0, -1.0, std::nan("")}) {
        EXPECT_LT(wallSecondsOf([seconds] { CPULoadGenerator::run(seconds, CancelToken()); }), 0.5) << seconds;
    }
    CancelToken cancelled;
    cancelled.cancel();
    EXPECT_LT(wallSecondsOf([&] { CPULoadGenerator::run(30, cancelled); }), 0.5);
    for (double seconds : {60.0, 1e300, std::numeric_limits<double>::infinity()}) {
        CancelToken cancel;
        std::thread stopper([cancel] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            cancel.cancel();
        });
        EXPECT_LT(wallSecondsOf([&] { CPULoadGenerator::run(seconds, cancel); }), 1.5) << seconds;
        stopper.join();
    }
}

} // namespace
} // namespace zantiva
