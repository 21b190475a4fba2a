#include <gtest/gtest.h>

#include "Probes/CPUTicks.h"

namespace zantiva {
namespace {

TEST(CPUTicks, LoadsBetweenTwoReadings) {
    struct Case {
        const char* what;
        std::vector<CPUTicks> before, after;
        std::vector<double> perCore;
        double total;
    };
    const Case cases[] = {
        // CPU 1 went offline between the readings: CPU 2 must still meet its own counters.
        {"paired by number", {{0, 100, 900}, {1, 0, 1000}, {2, 500, 500}}, {{0, 150, 950}, {2, 600, 500}},
         {50.0, 100.0}, 75.0},
        // CPU 2 has no earlier reading; CPU 3's iowait count went back by a few ticks.
        {"new CPU, counter back",
         {{0, 100, 900}, {1, 900, 100}, {3, 1000, 500}},
         {{0, 200, 900}, {1, 800, 300}, {2, 50, 50}, {3, 1100, 497}},
         {100.0, 0.0, 0.0, 100.0}, 50.0},
        {"unchanged", {{0, 100, 900}, {1, 5, 5}}, {{0, 100, 900}, {1, 5, 5}}, {0.0, 0.0}, 0.0},
        {"empty", {{0, 100, 900}}, {}, {}, 0.0},
    };
    for (const auto& c : cases) {
        const auto loads = CPUTicks::loads(c.before, c.after);
        EXPECT_EQ(loads.perCore, c.perCore) << c.what;
        EXPECT_DOUBLE_EQ(loads.total, c.total) << c.what;
    }
}

} // namespace
} // namespace zantiva
