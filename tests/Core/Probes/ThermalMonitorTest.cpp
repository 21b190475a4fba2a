#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FixtureMachines.h"
#include "Probes/ThermalMonitor.h"

namespace zantiva {
namespace {

ThermalState zone(std::int64_t celsius, std::vector<ThermalZoneReading::Trip> trips) {
    return ThermalZoneReading{celsius * 1000, std::move(trips)}.state();
}

TEST(ThermalZoneReading, RanksTheTemperatureAgainstTheTripPoints) {
    const std::vector<ThermalZoneReading::Trip> laptop{{"critical", 105000}, {"hot", 100000}, {"passive", 95000}};
    EXPECT_EQ(zone(62, laptop), ThermalState::nominal);
    EXPECT_EQ(zone(85, laptop), ThermalState::fair);       // 10 °C below the first limit
    EXPECT_EQ(zone(95, laptop), ThermalState::serious);    // the kernel throttles here
    EXPECT_EQ(zone(100, laptop), ThermalState::critical);  // "hot"
    EXPECT_EQ(zone(101, {{"critical", 105000}}), ThermalState::critical);   // within 5 °C of shutdown
    EXPECT_EQ(zone(99, {{"critical", 105000}}), ThermalState::fair);
    EXPECT_EQ(zone(60, {{"critical", 128000}}), ThermalState::nominal);
}

TEST(ThermalZoneReading, SwitchedOffAndFanTripsDoNotCount) {
    EXPECT_EQ(zone(64, {{"passive", 0}, {"passive", 0}}), ThermalState::nominal);
    EXPECT_EQ(zone(70, {{"active", 50000}, {"active", 60000}}), ThermalState::nominal);
    EXPECT_EQ(zone(70, {}), ThermalState::nominal);
}

TEST(ThermalMonitor, GrowingThrottleCountersMeanTheProcessorThrottled) {
    testing::MachineCopy mac("intel-mac");
    ThermalMonitor monitor{mac.root()};
    EXPECT_EQ(monitor.read(), ThermalState::nominal);   // counts from before creation are history
    mac.write("/sys/devices/system/cpu/cpu3/thermal_throttle/core_throttle_count", "13");
    EXPECT_EQ(monitor.read(), ThermalState::serious);
    EXPECT_EQ(monitor.read(), ThermalState::nominal);   // no new events since
}

TEST(ThermalMonitor, WithoutZonesOrCountersNothingIsReportedNotEvenNominal) {
    ThermalMonitor monitor{ProbeRoot(testing::fixtureMachine("virtual-machine"))};
    EXPECT_EQ(monitor.read(), std::nullopt);
    EXPECT_EQ(monitor.read(), std::nullopt);
}

TEST(ThermalMonitor, TheHottestZoneDecides) {
    testing::MachineCopy laptop("intel-hybrid-laptop");
    ThermalMonitor monitor{laptop.root()};
    EXPECT_EQ(monitor.read(), ThermalState::nominal);
    laptop.write("/sys/devices/virtual/thermal/thermal_zone2/temp", "96000");
    EXPECT_EQ(monitor.read(), ThermalState::serious);
}

// Counters alone would say nominal while a zone that couldn't be found may be the hot one.
TEST(ThermalMonitor, ZonesThatCantBeListedLeaveTheStateUnmeasuredUntilTheyCan) {
    namespace fs = std::filesystem;
    testing::MachineCopy laptop("intel-hybrid-laptop");
    const fs::path zones = laptop.root().at("/sys/class/thermal"), away = zones.string() + ".away";
    fs::rename(zones, away);
    std::ofstream(zones) << "no folder\n";   // listing it fails with ENOTDIR
    ThermalMonitor monitor{laptop.root()};
    EXPECT_EQ(monitor.read(), std::nullopt);

    fs::remove(zones);
    fs::rename(away, zones);
    laptop.write("/sys/devices/virtual/thermal/thermal_zone2/temp", "96000");
    EXPECT_EQ(monitor.read(), ThermalState::serious);
}

} // namespace
} // namespace zantiva
