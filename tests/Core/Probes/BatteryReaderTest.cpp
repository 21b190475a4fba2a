#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "FixtureMachines.h"
#include "Model/BenchmarkScoring.h"
#include "Probes/BatteryReader.h"
#include "../../Support/NoFreeDescriptors.h"

namespace zantiva {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::fixtureMachine;
using testing::MachineCopy;

BatteryHealthResult battery(std::int64_t design, std::int64_t full, double health, double watts, std::int64_t charge,
                            bool charging, bool plugged, std::int64_t cycles) {
    return {true, design, full, health, watts, charge, charging, plugged, cycles, {}};
}

TEST(BatteryReader, ReadsEachCapturedMachine) {
    const std::map<std::string, BatteryHealthResult> expected{
        // Energies at 15.48 V design: 57 Wh is 3682 mAh, 51.12 Wh 3302 mAh, 38.25 Wh 2471 mAh.
        {"intel-hybrid-laptop", battery(3682, 3302, 89.7, 8.5, 75, false, false, 142)},
        // Charging on its adapter; a cycle count of 0 is unknown and stays 0.
        {"intel-mac", battery(8440, 6890, 81.6, 0, 74, true, true, 0)},
        // Only a wireless mouse's battery (scope Device): no battery of the machine.
        {"amd-desktop", BatteryHealthResult{}},
        {"virtual-machine", BatteryHealthResult{}},
    };
    for (const auto& [machine, result] : expected)
        EXPECT_EQ(BatteryReader::read(ProbeRoot(fixtureMachine(machine))), result) << machine;
}

TEST(BatteryReader, ParsesChargesEnergiesAndPresence) {
    BatteryAttributes a;
    EXPECT_FALSE(BatteryReader::parse(a, true).batteryPresent);   // nothing says there is one

    a.chargeFullDesign = 5'000'000;
    a.chargeFull = 4'600'000;
    a.chargeNow = 2'300'000;
    a.capacity = 80;
    auto r = BatteryReader::parse(a, false);
    EXPECT_EQ(r, battery(5000, 4600, 92.0, 0, 50, false, false, 0));

    a.present = 0;   // an empty bay, whatever its folder still shows
    EXPECT_EQ(BatteryReader::parse(a, true), BatteryHealthResult{});

    BatteryAttributes b;
    b.present = 1;
    b.chargeFullDesign = 5'000'000;
    b.chargeFull = 5'200'000;
    b.capacity = 87;   // without a charge now, the driver's own percentage
    b.cycleCount = -1;
    r = BatteryReader::parse(b, true);
    EXPECT_EQ(r.healthPercent, 100.0);
    EXPECT_EQ(r.currentChargePercent, 87);
    EXPECT_EQ(r.cycleCount, 0);

    BatteryAttributes energyOnly;   // energies without a design voltage cannot become mAh
    energyOnly.present = 1;
    energyOnly.energyFullDesign = 57'000'000;
    energyOnly.energyFull = 51'000'000;
    r = BatteryReader::parse(energyOnly, false);
    EXPECT_TRUE(r.batteryPresent);
    EXPECT_EQ(r.designCapacityMah, 0);
    EXPECT_EQ(r.healthPercent, 0);
    EXPECT_EQ(r.currentChargePercent, 0);
}

TEST(BatteryReader, DischargeRateOnlyWhileDischarging) {
    BatteryAttributes a;
    a.present = 1;
    a.status = "Discharging";
    a.currentNow = -1'500'000;   // some drivers sign the current
    a.voltageNow = 12'000'000;
    EXPECT_EQ(BatteryReader::parse(a, false).dischargeRateWatts, 18.0);
    a.currentNow = 1'234'000;
    a.voltageNow = 11'400'000;
    EXPECT_EQ(BatteryReader::parse(a, false).dischargeRateWatts, 14.1);
    a.powerNow = 9'960'000;      // a measured power wins
    EXPECT_EQ(BatteryReader::parse(a, false).dischargeRateWatts, 10.0);
    for (const char* status : {"Charging", "Not charging", "Full"}) {
        a.status = status;
        EXPECT_EQ(BatteryReader::parse(a, true).dischargeRateWatts, 0) << status;
    }
}

std::vector<std::string> issues(BatteryHealthResult r, const BatteryChargeLimit& limit = {}) {
    BatteryReader::applyScoringRules(r, limit);
    return r.issues;
}

TEST(BatteryScoringRules, ThresholdsAndOrder) {
    EXPECT_THAT(issues(battery(5000, 5000, 100, 0, 80, false, false, 300)), IsEmpty());
    EXPECT_THAT(issues(battery(5000, 5000, 100, 0, 80, false, false, 301)), ElementsAre("Battery.Issue.Cycles"));
    EXPECT_THAT(issues(battery(5000, 4500, 90.0, 0, 80, false, false, 0)), IsEmpty());
    EXPECT_THAT(issues(battery(5000, 4495, 89.9, 0, 80, false, false, 0)), ElementsAre("Battery.Issue.Health"));
    EXPECT_THAT(issues(battery(5000, 2495, 49.9, 0, 74, false, true, 400)),
                ElementsAre("Battery.Issue.Cycles", "Battery.Issue.Health", "Battery.Issue.NotCharging",
                            "Battery.Issue.Critical"));
    EXPECT_THAT(issues(battery(0, 0, 0, 0, 80, false, false, 0)), IsEmpty());   // health unknown
    EXPECT_THAT(issues(battery(5000, 5000, 100, 0, 74, false, true, 0)), ElementsAre("Battery.Issue.NotCharging"));
    EXPECT_THAT(issues(battery(5000, 5000, 100, 0, 75, false, true, 0)), IsEmpty());
    EXPECT_THAT(issues(battery(5000, 5000, 100, 0, 10, true, true, 0)), IsEmpty());
    EXPECT_THAT(issues(BatteryHealthResult{}), IsEmpty());

    auto twice = battery(5000, 4000, 80, 0, 50, false, false, 0);
    BatteryReader::applyScoringRules(twice);
    BatteryReader::applyScoringRules(twice);
    EXPECT_THAT(twice.issues, ElementsAre("Battery.Issue.Health"));
}

TEST(BatteryScoringRules, ABatteryRestingAtItsChargeLimitIsNotAFault) {
    const auto plugged = [](std::int64_t charge) { return battery(5000, 5000, 100, 0, charge, false, true, 0); };
    const BatteryChargeLimit startAndEnd{40, 60};
    EXPECT_THAT(issues(plugged(58), startAndEnd), IsEmpty());
    EXPECT_THAT(issues(plugged(40), startAndEnd), IsEmpty());
    EXPECT_THAT(issues(plugged(39), startAndEnd), ElementsAre("Battery.Issue.NotCharging"));   // should charge
    const BatteryChargeLimit endOnly{std::nullopt, 60};
    EXPECT_THAT(issues(plugged(56), endOnly), IsEmpty());
    EXPECT_THAT(issues(plugged(54), endOnly), ElementsAre("Battery.Issue.NotCharging"));
    EXPECT_THAT(issues(plugged(30), BatteryChargeLimit{std::nullopt, 100}), ElementsAre("Battery.Issue.NotCharging"));
    EXPECT_THAT(issues(plugged(58), BatteryChargeLimit{60, 60}), IsEmpty());   // start not below end: drift rule
}

TEST(BatteryReader, ChargeLimitOfTheLaptopOnItsCharger) {
    MachineCopy laptop("intel-hybrid-laptop");
    const std::string bat = "/sys/devices/LNXSYSTM:00/LNXSYBUS:00/PNP0C0A:00/power_supply/BAT0/";
    laptop.write("/sys/devices/LNXSYSTM:00/LNXSYBUS:00/ACPI0003:00/power_supply/AC/online", "1\n");
    laptop.write(bat + "status", "Not charging\n");
    laptop.write(bat + "charge_control_start_threshold", "40\n");
    laptop.write(bat + "charge_control_end_threshold", "60\n");
    laptop.write(bat + "energy_now", "30000000\n");   // 59% of 51.12 Wh

    auto result = BatteryReader::read(laptop.root());
    const auto limit = BatteryReader::chargeLimit(laptop.root());
    EXPECT_EQ(limit, (BatteryChargeLimit{40, 60}));
    EXPECT_TRUE(result.isPluggedIn);
    EXPECT_FALSE(result.isCharging);
    EXPECT_EQ(result.currentChargePercent, 59);
    EXPECT_EQ(result.dischargeRateWatts, 0);
    BatteryReader::applyScoringRules(result, limit);
    EXPECT_THAT(result.issues, ElementsAre("Battery.Issue.Health"));

    EXPECT_EQ(BatteryReader::chargeLimit(ProbeRoot(fixtureMachine("amd-desktop"))), BatteryChargeLimit{});
    EXPECT_EQ(BatteryReader::chargeLimit(ProbeRoot(fixtureMachine("intel-mac"))), BatteryChargeLimit{});
}

// Supplies that couldn't be listed say nothing of the battery: it isn't "no battery", and the
// stored reading stays in the grade. A machine without a supplies folder has none: that replaces it.
TEST(BatteryReader, SuppliesThatCantBeListedLeaveTheStoredBatteryInPlace) {
    if (const auto why = testing::NoFreeDescriptors::unavailable()) GTEST_SKIP() << *why;
    const ProbeRoot laptop(fixtureMachine("intel-hybrid-laptop"));
    FinalBenchmarkReport stored;
    stored.batteryResult = BatteryReader::read(laptop);
    ASSERT_TRUE(stored.batteryResult->batteryPresent);

    FinalBenchmarkReport rerun;
    {
        testing::NoFreeDescriptors exhausted;
        rerun.batteryResult = BatteryReader::read(laptop);
    }
    EXPECT_EQ(BenchmarkScoring::merge(stored, rerun).batteryResult, stored.batteryResult);
    EXPECT_FALSE(rerun.batteryResult->batteryPresent);
    EXPECT_EQ(rerun.batteryResult->listingError, "Too many open files");

    FinalBenchmarkReport desktop;
    desktop.batteryResult = BatteryReader::read(ProbeRoot(fixtureMachine("virtual-machine")));
    EXPECT_EQ(desktop.batteryResult->listingError, std::nullopt);
    EXPECT_EQ(BenchmarkScoring::merge(stored, desktop).batteryResult, desktop.batteryResult);
}

} // namespace
} // namespace zantiva
