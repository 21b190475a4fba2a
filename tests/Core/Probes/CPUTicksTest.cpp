#include <gtest/gtest.h>

#include "Probes/CPUTicks.h"

namespace zantiva {
namespace {

TEST(CPUTicks, LoadsPairCpusByNumberNotPosition) {
    // CPU 1 went offline between the readings: CPU 2 must still meet its own counters.
    const std::vector<CPUTicks> before{{0, 100, 900}, {1, 0, 1000}, {2, 500, 500}};
    const std::vector<CPUTicks> after{{0, 150, 950}, {2, 600, 500}};
    const auto loads = CPUTicks::loads(before, after);
    EXPECT_EQ(loads.perCore, (std::vector<double>{50.0, 100.0}));
    EXPECT_DOUBLE_EQ(loads.total, 75.0);
}

TEST(CPUTicks, ACpuWithoutAnEarlierReadingShowsZeroAndACounterGoingBackCountsNothing) {
    // CPU 3 worked flat out while the kernel's iowait count went back by a few ticks.
    const std::vector<CPUTicks> before{{0, 100, 900}, {1, 900, 100}, {3, 1000, 500}};
    const std::vector<CPUTicks> after{{0, 200, 900}, {1, 800, 300}, {2, 50, 50}, {3, 1100, 497}};
    EXPECT_EQ(CPUTicks::loads(before, after).perCore, (std::vector<double>{100.0, 0.0, 0.0, 100.0}));
}

TEST(CPUTicks, IdenticalOrEmptyReadingsGiveZeroLoads) {
    const std::vector<CPUTicks> same{{0, 100, 900}, {1, 5, 5}};
    const auto loads = CPUTicks::loads(same, same);
    EXPECT_EQ(loads.perCore, (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(loads.total, 0.0);
    const auto none = CPUTicks::loads(same, {});
    EXPECT_TRUE(none.perCore.empty());
    EXPECT_EQ(none.total, 0.0);
}

} // namespace
} // namespace zantiva
