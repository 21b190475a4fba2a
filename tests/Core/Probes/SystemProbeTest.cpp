#include <gtest/gtest.h>

#include "FixtureMachines.h"
#include "Probes/SystemProbe.h"
#include "../../Support/ProcessLocale.h"

namespace zantiva {
namespace {

using testing::fixtureProbe;

struct ExpectedSpecs {
    std::string machine;
    SystemSpecs specs;
};

// ctest names each case by its machine, not by a dump of the record's bytes.
void PrintTo(const ExpectedSpecs& expected, std::ostream* out) { *out << expected.machine; }

constexpr double gigabytes(double sectors) { return sectors * 512.0 / 1e9; }

const SystemSpecs hybridLaptop{
    .manufacturer = "LENOVO", .model = "ThinkPad X1 Carbon Gen 10", .modelIdentifier = "21CB0067GE",
    .operatingSystem = "Fedora Linux 40 (Workstation Edition) (Linux 6.8.9-300.fc40.x86_64)", .architecture = "x86_64",
    .cpuName = "12th Gen Intel(R) Core(TM) i7-1260P", .cpuCores = 12, .cpuThreads = 16,
    .coreClusters = {{"Performance", 4}, {"Efficiency", 8}}, .cpuMaxClockGHz = 4.7,
    .ramCapacityGB = 16, .ramSpeedMHz = 5200, .ramType = "LPDDR5", .ramModuleCount = 2,
    .gpuName = "Intel graphics (i915)", .hasUnifiedMemory = true,
    .storageDevices = {{"SAMSUNG MZVL2512HCJQ-00BL7", gigabytes(1000215216), "SSD", "NVMe", true},
                       {"Samsung Flash Drive FIT", gigabytes(125313024), "Unspecified", "USB", false}},
    .motherboardManufacturer = "LENOVO", .motherboardModel = "21CB0067GE",
    .displayResolution = "1920 \u00D7 1200", .displayRefreshRateHz = 60, .firmwareVersion = "N3AET75W (1.40 )",
};

// The maker and product fields hold "To Be Filled By O.E.M.".
const SystemSpecs amdDesktop{
    .operatingSystem = "Ubuntu 24.04.1 LTS (Linux 6.8.0-45-generic)", .architecture = "x86_64",
    .cpuName = "AMD Ryzen 7 5800X 8-Core Processor", .cpuCores = 8, .cpuThreads = 16, .cpuMaxClockGHz = 4.850049,
    .ramCapacityGB = 32, .ramSpeedMHz = 3200, .ramType = "DDR4", .ramModuleCount = 2,
    .gpuName = "AMD Radeon RX 6700/6700 XT/6750 XT / 6800M/6850M XT",
    .gpuMemoryGB = 12868124672.0 / (1024.0 * 1024.0 * 1024.0),
    .storageDevices = {{"ST2000DM008-2FR102", gigabytes(3907029168), "HDD", "SATA", true},
                       {"Samsung SSD 870 EVO 1TB", gigabytes(1953525168), "SSD", "SATA", true}},
    .motherboardManufacturer = "ASRock", .motherboardModel = "B550M Pro4",
    .displayResolution = "2560 \u00D7 1440", .displayRefreshRateHz = 144, .firmwareVersion = "P2.10",
};

const SystemSpecs intelMac{
    .manufacturer = "Apple Inc.", .model = "MacBookPro11,3", .modelIdentifier = "MacBookPro11,3",
    .operatingSystem = "Arch Linux (Linux 6.10.10-arch1-1)", .architecture = "x86_64",
    .cpuName = "Intel(R) Core(TM) i7-4870HQ CPU @ 2.50GHz", .cpuCores = 4, .cpuThreads = 8, .cpuMaxClockGHz = 3.7,
    .ramCapacityGB = 16, // eight of the 136 blocks are offline
    .ramSpeedMHz = 1600, .ramType = "DDR3", .ramModuleCount = 2,
    .gpuName = "NVIDIA graphics (nouveau)", // the discrete GPU, not the Intel one the firmware booted on
    .storageDevices = {{"APPLE SSD SM0512F", gigabytes(977105060), "SSD", "SATA", true}},
    .motherboardManufacturer = "Apple Inc.", .motherboardModel = "Mac-2BD1B31983FE1663",
    .displayResolution = "2880 \u00D7 1800", .displayRefreshRateHz = 60, .firmwareVersion = "432.60.3.0.0",
};

// No firmware tables, no graphics, no sensors, no udev.
const SystemSpecs virtualMachine{
    .operatingSystem = "Debian GNU/Linux 12 (bookworm) (Linux 6.1.0-27-cloud-amd64)", .architecture = "x86_64",
    .cpuName = "AMD EPYC", .cpuCores = 8, .cpuThreads = 8, .cpuMaxClockGHz = 2.596134, .ramCapacityGB = 24,
    .storageDevices = {{"Unknown", gigabytes(1073741824), "Unspecified", "virtio", true}},
};

class SystemProbeOnMachine : public ::testing::TestWithParam<ExpectedSpecs> {};

TEST_P(SystemProbeOnMachine, ReadsEveryFieldFromTheMachinesSources) {
    const auto& expected = GetParam();
    const SystemSpecs specs = SystemProbe::readSpecs(fixtureProbe(expected.machine));
    EXPECT_EQ(specs, expected.specs);
    EXPECT_EQ(specs.toJson(), expected.specs.toJson()); // shows which fields differ
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SystemProbeOnMachine,
                         ::testing::Values(ExpectedSpecs{"intel-hybrid-laptop", hybridLaptop},
                                           ExpectedSpecs{"amd-desktop", amdDesktop},
                                           ExpectedSpecs{"intel-mac", intelMac},
                                           ExpectedSpecs{"virtual-machine", virtualMachine}),
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

// Under a Turkish locale the C library doesn't lower "I" to "i": firmware text is compared as
// ASCII, or "TO BE FILLED BY O.E.M." would name the computer in the window but not on the
// command line, which makes no application object and keeps the "C" locale.
TEST(SystemProbe, FirmwarePlaceholdersInCapitalsAreUnknownWhateverTheLocale) {
    const testing::ProcessLocale turkish("tr_TR.UTF-8");
    if (!turkish.isSet()) GTEST_SKIP() << "tr_TR.UTF-8 is not installed (scripts/setup generates it)";
    const testing::MachineCopy machine("amd-desktop");
    for (const char* field : {"sys_vendor", "product_name", "product_version", "product_family"})
        machine.write(std::string("/sys/class/dmi/id/") + field, "TO BE FILLED BY O.E.M.\n");
    machine.write("/sys/class/dmi/id/bios_version", "NOT APPLICABLE\n");
    machine.write("/sys/class/dmi/id/board_name", "DEFAULT STRING\n");
    auto options = fixtureProbe("amd-desktop");
    options.root = machine.root();
    const SystemSpecs specs = SystemProbe::readSpecs(options);
    EXPECT_EQ(specs.manufacturer, "Unknown");
    EXPECT_EQ(specs.model, "Unknown");
    EXPECT_EQ(specs.modelIdentifier, "Unknown");
    EXPECT_EQ(specs.firmwareVersion, "Unknown");
    EXPECT_EQ(specs.motherboardModel, "Unknown");
    EXPECT_EQ(specs.motherboardManufacturer, "ASRock");
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
