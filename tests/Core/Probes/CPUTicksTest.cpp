#include <gtest/gtest.h>

#include "FixtureMachines.h"
#include "Probes/CPUTicks.h"
#include "Probes/MemInfo.h"

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

// The kernel tables as they come, and as an odd kernel or a short read may leave them.
TEST(ProcTables, CountersAndAmountsAreReadLineByLine) {
    testing::MachineCopy vm("virtual-machine");
    vm.write("/proc/stat", "cpu  9 9 9 9 9 9 9 9 0 0\n"
                           "cpu0 100 1 2 800 4 5 6 7 0 0\n"
                           "cpu1\t3 0 0 1000\n"          // no iowait or after, a tab
                           "cpu2 1 2 3\n"                 // too short: left out
                           "cpux 1 2 3 4\n"
                           "intr 123456 0 0 1 2\n"
                           "cpu12 7 0 0 3 1");              // no final line break
    EXPECT_EQ(CPUTicks::read(vm.root()),
              (std::vector<CPUTicks>{{0, 100 + 1 + 2 + 5 + 6 + 7, 800 + 4}, {1, 3, 1000}, {12, 7, 4}}));

    vm.write("/proc/meminfo", "MemTotal:       16384 kB\nMemFree:  1024 kB\nMemAvailable:    8192 kB\n");
    EXPECT_EQ(MemInfo::read(vm.root()).totalBytes, 16384u * 1024);
    EXPECT_EQ(MemInfo::read(vm.root()).availableBytes, 8192u * 1024);
    // An old kernel without MemAvailable: what is free or can be given back.
    vm.write("/proc/meminfo", "MemTotal: 100 kB\nMemFree: 10 kB\nBuffers: 5 kB\nCached: 20 kB\nSwapCached: 99 kB\n");
    EXPECT_EQ(MemInfo::read(vm.root()).availableBytes, 35u * 1024);
    vm.write("/proc/meminfo", "");
    EXPECT_EQ(MemInfo::read(vm.root()).totalBytes, 0u);
}

} // namespace
} // namespace zantiva
