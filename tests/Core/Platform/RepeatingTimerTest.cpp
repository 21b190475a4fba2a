#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Platform/RepeatingTimer.h"

namespace zantiva {
namespace {

TEST(RepeatingTimer, TicksAtOnceThenOnItsGridAndNeverAfterStop) {
    std::atomic<int> ticks{0};
    RepeatingTimer timer({"", "zv-timer", ThreadQoS::utility}, std::chrono::milliseconds(20), [&] { ++ticks; });
    std::this_thread::sleep_for(std::chrono::milliseconds(110));
    timer.stop();
    const int atStop = ticks.load();
    EXPECT_GE(atStop, 2);
    EXPECT_LE(atStop, 7);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(ticks.load(), atStop);
    timer.stop(); // a second stop is harmless
}

} // namespace
} // namespace zantiva
