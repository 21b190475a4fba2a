#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <sstream>
#include <utility>

#include "../Core/Probes/DriveHealthFixtures.h"
#include "../Core/Probes/FixtureMachines.h"
#include "CLI/DumpHardware.h"
#include "Platform/BoundedProcess.h"

namespace zantiva {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

std::string dump(const std::string& machine) {
    std::ostringstream out;
    const HardwareDumpSources sources{testing::fixtureProbe(machine),
                                      testing::fixtureDriveHealth(testing::fixtureMachine(machine))};
    dumpHardware(out, sources, std::chrono::milliseconds(0));
    return out.str();
}

TEST(DumpHardware, PrintsSpecsProfileAndSampleUnderHeadings) {
    const std::string text = dump("intel-hybrid-laptop");
    EXPECT_THAT(text, StartsWith("== Specs ==\n"));
    EXPECT_THAT(text, HasSubstr("\ncpuName: 12th Gen Intel(R) Core(TM) i7-1260P\n"));
    EXPECT_THAT(text, HasSubstr("\ncoreClusters.1.cores: 8\ncoreClusters.1.name: Efficiency\n"));
    EXPECT_THAT(text, HasSubstr("\n\n== Device profile ==\n"));
    EXPECT_THAT(text, HasSubstr("\ncpu: 12th Gen Intel(R) Core(TM) i7-1260P (12C: 4P+8E)\n"));
    EXPECT_THAT(text, HasSubstr("\n\n== Drive health ==\ncheckedAt: "));
    EXPECT_THAT(text, HasSubstr("\nnvme0n1.model: SAMSUNG MZVL2512HCJQ-00BL7\n"));
    EXPECT_THAT(text, HasSubstr("\n\n== Battery ==\nbatteryPresent: true\n"));
    EXPECT_THAT(text, HasSubstr("\n\n== Telemetry ==\n"));
    EXPECT_THAT(text, HasSubstr("\nfanRPM.0: 2100\n"));
    EXPECT_THAT(text, HasSubstr("\nthermalState: nominal\n"));
}

TEST(DumpHardware, AMachineWithNothingToReadPrintsHonestBlanks) {
    const std::string text = dump("virtual-machine");
    EXPECT_THAT(text, HasSubstr("\nmanufacturer: Unknown\n"));
    EXPECT_THAT(text, HasSubstr("\ngpuName: Unknown\n"));
    EXPECT_THAT(text, HasSubstr("\nhasSensorAccess: false\n"));
    EXPECT_THAT(text, HasSubstr("\n== Battery ==\nbatteryPresent: false\n"));
    // Absent readings print no line at all rather than a made-up value.
    EXPECT_THAT(text, Not(HasSubstr("Temperature")));
    EXPECT_THAT(text, Not(HasSubstr("systemPowerWatts")));
    EXPECT_THAT(text, Not(HasSubstr("gpuLoadPercent")));
    EXPECT_THAT(text, Not(HasSubstr("thermalState"))); // no zone, no throttle counter: never "nominal"
    EXPECT_THAT(text, Not(HasSubstr(": \n"))); // nor an empty one (the virtual disk tells no model)
    // No cpufreq in a virtual machine: the clock is the kernel's "cpu MHz"; with neither, no line.
    EXPECT_THAT(text, HasSubstr("\ncpuMaxClockGHz: 2.596134\n"));
    EXPECT_THAT(dump("riscv-64-core-server"), Not(HasSubstr("cpuMaxClockGHz")));
}

// Each reading prints with the precision it carries, not a ratio's or a unit change's full digits.
TEST(DumpHardware, TelemetryFiguresCarryNoFloatNoise) {
    SensorSnapshot sample;
    sample.cpuLoadPercent = 100.0 / 84;                   // 1.1904761904761905
    sample.perCoreLoadPercent = {100.0 / 3, 0.05};
    sample.ramLoadPercent = 100.0 * 7 / 9;
    sample.ramUsedGB = 7891234816.0 / (1024.0 * 1024.0 * 1024.0); // 7.349341... GiB
    sample.ramTotalGB = 16;
    sample.cpuTemperatureCelsius = 62.25;
    sample.systemPowerWatts = 12.345678;
    std::ostringstream out;
    printSensorSnapshotLines(out, sample);
    const std::string text = out.str();
    for (const char* line : {"cpuLoadPercent: 1.2\n", "perCoreLoadPercent.0: 33.3\n", "perCoreLoadPercent.1: 0.1\n",
                             "ramLoadPercent: 77.8\n", "ramUsedGB: 7.35\n", "ramTotalGB: 16\n",
                             "cpuTemperatureCelsius: 62.3\n", "systemPowerWatts: 12.3\n"})
        EXPECT_THAT(text, HasSubstr(line));
}

// No figure of the dump, on any machine, carries more digits than a double holds honestly. Each
// machine prints at least the figures its fixture gives: a dump whose figures the pattern no
// longer matches, or that leaves some out, fails.
TEST(DumpHardware, EveryFigureOfEveryMachineReadsAsItsSourceGaveIt) {
    static const std::regex figure(R"(^[^:]+: -?[0-9]+(\.[0-9]+)?$)");
    const std::pair<const char*, long> figuresOf[] = {
        {"intel-hybrid-laptop", 54}, {"amd-desktop", 48}, {"intel-mac", 34}, {"virtual-machine", 30}};
    for (const auto& [machine, figures] : figuresOf) {
        std::istringstream lines(dump(machine));
        long matched = 0;
        for (std::string line; std::getline(lines, line);) {
            if (!std::regex_match(line, figure)) continue;
            ++matched;
            const std::string digits = line.substr(line.find(": ") + 2);
            const auto significant = std::count_if(digits.begin(), digits.end(), ::isdigit);
            EXPECT_LE(significant, 15) << machine << ": " << line;
        }
        EXPECT_GE(matched, figures) << machine;
    }
}

TEST(DumpHardware, TheProgramDumpsBeforeAnyOtherModeAndExitsWithZero) {
    auto run = runBoundedProcess({ZANTIVA_PROGRAM, "--ram", "--dump-hardware"}, std::chrono::seconds(20));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->exitStatus, 0);
    EXPECT_THAT(run->output, StartsWith("== Specs ==\n"));
    EXPECT_THAT(run->output, HasSubstr("\n== Telemetry ==\n"));
    EXPECT_THAT(run->output, Not(HasSubstr("averageReadThroughputMBps")));
}

} // namespace
} // namespace zantiva
