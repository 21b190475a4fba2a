#include <gtest/gtest.h>

#include "FixtureMachines.h"
#include "Probes/SystemProbe.h"

namespace zantiva {
namespace {

using testing::fixtureProbe;

struct ExpectedSpecs {
    std::string machine;
    SystemSpecs specs;
};

SystemSpecs hybridLaptop() {
    SystemSpecs s;
    s.manufacturer = "LENOVO";
    s.model = "ThinkPad X1 Carbon Gen 10";
    s.modelIdentifier = "21CB0067GE";
    s.operatingSystem = "Fedora Linux 40 (Workstation Edition) (Linux 6.8.9-300.fc40.x86_64)";
    s.architecture = "x86_64";
    s.cpuName = "12th Gen Intel(R) Core(TM) i7-1260P";
    s.cpuCores = 12;
    s.cpuThreads = 16;
    s.coreClusters = {{"Performance", 4}, {"Efficiency", 8}};
    s.cpuMaxClockGHz = 4.7;
    s.ramCapacityGB = 16;
    s.ramSpeedMHz = 5200;
    s.ramType = "LPDDR5";
    s.ramModuleCount = 2;
    s.gpuName = "Intel graphics (i915)";
    s.hasUnifiedMemory = true;
    s.storageDevices = {
        {"SAMSUNG MZVL2512HCJQ-00BL7", 1000215216 * 512.0 / 1e9, "SSD", "NVMe", true},
        {"Samsung Flash Drive FIT", 125313024 * 512.0 / 1e9, "Unspecified", "USB", false},
    };
    s.motherboardManufacturer = "LENOVO";
    s.motherboardModel = "21CB0067GE";
    s.displayResolution = "1920 \u00D7 1200";
    s.displayRefreshRateHz = 60;
    s.firmwareVersion = "N3AET75W (1.40 )";
    return s;
}

SystemSpecs amdDesktop() {
    SystemSpecs s;   // the maker and product fields hold "To Be Filled By O.E.M."
    s.operatingSystem = "Ubuntu 24.04.1 LTS (Linux 6.8.0-45-generic)";
    s.architecture = "x86_64";
    s.cpuName = "AMD Ryzen 7 5800X 8-Core Processor";
    s.cpuCores = 8;
    s.cpuThreads = 16;
    s.cpuMaxClockGHz = 4.850049;
    s.ramCapacityGB = 32;
    s.ramSpeedMHz = 3200;
    s.ramType = "DDR4";
    s.ramModuleCount = 2;
    s.gpuName = "AMD Radeon RX 6700/6700 XT/6750 XT / 6800M/6850M XT";
    s.gpuMemoryGB = 12868124672.0 / (1024.0 * 1024.0 * 1024.0);
    s.storageDevices = {
        {"ST2000DM008-2FR102", 3907029168 * 512.0 / 1e9, "HDD", "SATA", true},
        {"Samsung SSD 870 EVO 1TB", 1953525168 * 512.0 / 1e9, "SSD", "SATA", true},
    };
    s.motherboardManufacturer = "ASRock";
    s.motherboardModel = "B550M Pro4";
    s.displayResolution = "2560 \u00D7 1440";
    s.displayRefreshRateHz = 144;
    s.firmwareVersion = "P2.10";
    return s;
}

SystemSpecs intelMac() {
    SystemSpecs s;
    s.manufacturer = "Apple Inc.";
    s.model = "MacBookPro11,3";
    s.modelIdentifier = "MacBookPro11,3";
    s.operatingSystem = "Arch Linux (Linux 6.10.10-arch1-1)";
    s.architecture = "x86_64";
    s.cpuName = "Intel(R) Core(TM) i7-4870HQ CPU @ 2.50GHz";
    s.cpuCores = 4;
    s.cpuThreads = 8;
    s.cpuMaxClockGHz = 3.7;
    s.ramCapacityGB = 16;   // eight of the 136 blocks are offline
    s.ramSpeedMHz = 1600;
    s.ramType = "DDR3";
    s.ramModuleCount = 2;
    s.gpuName = "Intel graphics (i915)";
    s.hasUnifiedMemory = true;
    s.storageDevices = {{"APPLE SSD SM0512F", 977105060 * 512.0 / 1e9, "SSD", "SATA", true}};
    s.motherboardManufacturer = "Apple Inc.";
    s.motherboardModel = "Mac-2BD1B31983FE1663";
    s.displayResolution = "2880 \u00D7 1800";
    s.displayRefreshRateHz = 60;
    s.firmwareVersion = "432.60.3.0.0";
    return s;
}

SystemSpecs virtualMachine() {
    SystemSpecs s;   // no firmware tables, no graphics, no sensors, no udev
    s.operatingSystem = "Debian GNU/Linux 12 (bookworm) (Linux 6.1.0-27-cloud-amd64)";
    s.architecture = "x86_64";
    s.cpuName = "AMD EPYC";
    s.cpuCores = 8;
    s.cpuThreads = 8;
    s.ramCapacityGB = 24;
    s.storageDevices = {{"Unknown", 1073741824 * 512.0 / 1e9, "Unspecified", "virtio", true}};
    return s;
}

class SystemProbeOnMachine : public ::testing::TestWithParam<ExpectedSpecs> {};

TEST_P(SystemProbeOnMachine, ReadsEveryFieldFromTheMachinesSources) {
    const auto& expected = GetParam();
    const SystemSpecs specs = SystemProbe::readSpecs(fixtureProbe(expected.machine));
    EXPECT_EQ(specs, expected.specs);
    EXPECT_EQ(specs.toJson(), expected.specs.toJson()); // shows which fields differ
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SystemProbeOnMachine,
                         ::testing::Values(ExpectedSpecs{"intel-hybrid-laptop", hybridLaptop()},
                                           ExpectedSpecs{"amd-desktop", amdDesktop()},
                                           ExpectedSpecs{"intel-mac", intelMac()},
                                           ExpectedSpecs{"virtual-machine", virtualMachine()}),
                         [](const auto& info) {
                             std::string name = info.param.machine;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(SystemProbe, ReadsTheRunningMachine) {
    const SystemSpecs specs = SystemProbe::readSpecs();
    EXPECT_GT(specs.cpuThreads, 0);
    EXPECT_GE(specs.cpuThreads, specs.cpuCores);
    EXPECT_GT(specs.ramCapacityGB, 0);
    EXPECT_NE(specs.architecture, "Unknown");
    EXPECT_NE(specs.operatingSystem, "Unknown");
}

TEST(SystemProbe, AMissingRootGivesTheEmptyInventoryWithoutThrowing) {
    ProbeOptions options;
    options.root = ProbeRoot("/nonexistent/zantiva-root");
    options.memoryPropertiesCommand = {"/nonexistent/udevadm"};
    EXPECT_EQ(SystemProbe::readSpecs(options), SystemSpecs{});
}

TEST(SystemProbe, AMemoryQueryThatHangsIsCutOffAndLeavesTheModulesUnknown) {
    auto options = fixtureProbe("amd-desktop");
    options.memoryPropertiesCommand = {"sleep", "30"};
    options.toolTimeout = std::chrono::milliseconds(200);
    const auto specs = SystemProbe::readSpecs(options);
    EXPECT_EQ(specs.ramType, "Unknown");
    EXPECT_EQ(specs.ramModuleCount, 0);
    EXPECT_EQ(specs.cpuCores, 8);
}

} // namespace
} // namespace zantiva
