#include <gtest/gtest.h>

#include "FixtureMachines.h"
#include "OpenedFiles.h"
#include "Probes/GPUUsage.h"
#include "Probes/HardwareTelemetry.h"
#include "Probes/HwmonSensorMap.h"
#include "../../Support/NoFreeDescriptors.h"

namespace zantiva {
namespace {

using testing::fixtureMachine;
using testing::MachineCopy;

struct ExpectedSample {
    std::string machine;
    bool sensors;
    std::optional<double> cpuTemperature;
    std::optional<double> gpuTemperature;
    std::vector<double> fans;
    std::optional<double> power;
    std::optional<double> gpuLoad;
    MemoryPressure pressure;
    double ramTotalKiB;
    double ramAvailableKiB;
    std::size_t cpus;
    std::optional<ThermalState> thermal; // absent: no thermal zone or throttle counter
};

// ctest names each case by its machine, not by a dump of the record's bytes.
void PrintTo(const ExpectedSample& sample, std::ostream* out) { *out << sample.machine; }

const std::vector<ExpectedSample> samples{
    // Package temperature from coretemp, the ThinkPad's fan, the battery's draw.
    {"intel-hybrid-laptop", true, 62.0, std::nullopt, {2100}, 8.54, std::nullopt, MemoryPressure::normal,
     15972348, 9871204, 16, ThermalState::nominal},
    // Tctl (no Tdie beside it), amdgpu junction, every fan input including stopped ones,
    // no system power without a battery, 12.5 % of the time some tasks stalled on memory.
    {"amd-desktop", true, 65.5, 55.0, {0, 0, 853, 1120}, std::nullopt, 37.0, MemoryPressure::warning,
     32803148, 25100212, 16, std::nullopt},
    // applesmc keys and coretemp together; a charging battery says nothing of the system.
    {"intel-mac", true, 64.0, 52.0, {2160, 1998}, std::nullopt, std::nullopt, MemoryPressure::normal,
     16311368, 12000000, 8, ThermalState::nominal},
    {"virtual-machine", false, std::nullopt, std::nullopt, {}, std::nullopt, std::nullopt, MemoryPressure::normal,
     24682404, 23272812, 8, std::nullopt},
};

class TelemetryOnMachine : public ::testing::TestWithParam<ExpectedSample> {};

TEST_P(TelemetryOnMachine, SamplesTheMachinesSources) {
    const auto& e = GetParam();
    HardwareTelemetry telemetry(true, ProbeRoot(fixtureMachine(e.machine)));
    EXPECT_EQ(telemetry.hasSensorAccess(), e.sensors);
    const SensorSnapshot s = telemetry.sample();
    EXPECT_EQ(s.hasSensorAccess, e.sensors);
    EXPECT_EQ(s.cpuTemperatureCelsius, e.cpuTemperature);
    EXPECT_EQ(s.gpuTemperatureCelsius, e.gpuTemperature);
    EXPECT_EQ(s.fanRPM, e.fans);
    EXPECT_EQ(s.systemPowerWatts, e.power);
    EXPECT_EQ(s.gpuLoadPercent, e.gpuLoad);
    EXPECT_EQ(s.memoryPressure, e.pressure);
    EXPECT_EQ(s.thermalState, e.thermal);
    EXPECT_DOUBLE_EQ(s.ramTotalGB, e.ramTotalKiB / (1024.0 * 1024.0));
    EXPECT_DOUBLE_EQ(s.ramUsedGB, (e.ramTotalKiB - e.ramAvailableKiB) / (1024.0 * 1024.0));
    EXPECT_DOUBLE_EQ(s.ramLoadPercent, 100.0 * (e.ramTotalKiB - e.ramAvailableKiB) / e.ramTotalKiB);
    // Unchanged counters since creation: every CPU idle-free and busy-free, so 0.
    EXPECT_EQ(s.perCoreLoadPercent, std::vector<double>(e.cpus, 0.0));
    EXPECT_EQ(s.cpuLoadPercent, 0.0);

    // Without sensor access no temperature, fan or power; the GPU load is no sensor.
    const SensorSnapshot bare = HardwareTelemetry(false, ProbeRoot(fixtureMachine(e.machine))).sample();
    EXPECT_FALSE(bare.hasSensorAccess || bare.cpuTemperatureCelsius || bare.gpuTemperatureCelsius ||
                 bare.systemPowerWatts || !bare.fanRPM.empty());
    EXPECT_EQ(bare.gpuLoadPercent, e.gpuLoad);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, TelemetryOnMachine, ::testing::ValuesIn(samples), [](const auto& info) {
    std::string name = info.param.machine;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(HardwareTelemetry, SamplesTheRunningMachine) {
    HardwareTelemetry telemetry;
    const SensorSnapshot s = telemetry.sample();
    EXPECT_FALSE(s.perCoreLoadPercent.empty());
    for (double load : s.perCoreLoadPercent) {
        EXPECT_GE(load, 0.0);
        EXPECT_LE(load, 100.0);
    }
    EXPECT_GT(s.ramTotalGB, 0.0);
    EXPECT_GT(s.ramUsedGB, 0.0);
    EXPECT_LE(s.ramUsedGB, s.ramTotalGB);
}

TEST(HardwareTelemetry, LoadCoversTheTimeSinceThePreviousSample) {
    MachineCopy vm("virtual-machine");
    vm.write("/proc/stat", "cpu0 100 0 100 800 0 0 0 0 0 0\ncpu1 0 0 0 1000 0 0 0 0 0 0\n");
    HardwareTelemetry telemetry(true, vm.root());
    vm.write("/proc/stat", "cpu0 175 0 100 825 0 0 0 0 0 0\ncpu1 10 0 0 1010 0 0 0 0 0 0\n");
    auto first = telemetry.sample();
    EXPECT_EQ(first.perCoreLoadPercent, (std::vector<double>{75.0, 50.0}));
    EXPECT_DOUBLE_EQ(first.cpuLoadPercent, 62.5);
    // Nothing moved since the first sample.
    auto second = telemetry.sample();
    EXPECT_EQ(second.perCoreLoadPercent, (std::vector<double>{0.0, 0.0}));
}

TEST(HardwareTelemetry, ASampleOpensOnlyWhatCanChangeAndFollowsIt) {
    MachineCopy laptop("intel-hybrid-laptop");
    HardwareTelemetry telemetry(true, laptop.root());
    testing::OpenedFiles opened(laptop.root().path());
    const SensorSnapshot first = telemetry.sample();

    const std::string cpus = "/sys/devices/system/cpu/", zones = "/sys/devices/virtual/thermal/";
    const std::string battery = "/sys/devices/LNXSYSTM:00/LNXSYBUS:00/PNP0C0A:00/power_supply/BAT0/";
    std::vector<std::string> expected{"/proc/meminfo", "/proc/pressure/memory", "/proc/stat",
                                      "/sys/devices/platform/coretemp.0/hwmon/hwmon3/temp1_input",
                                      "/sys/devices/platform/thinkpad_hwmon/hwmon/hwmon4/fan1_input",
                                      battery + "power_now", battery + "status",
                                      // Zones 1 and 3 have no trip that counts.
                                      zones + "thermal_zone0/temp", zones + "thermal_zone2/temp"};
    for (int cpu = 0; cpu < 16; ++cpu)
        for (const char* counter : {"core_throttle_count", "package_throttle_count"})
            expected.push_back(cpus + "cpu" + std::to_string(cpu) + "/thermal_throttle/" + counter);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(opened.take(), expected);

    // What changes is still followed; what can't is still known.
    laptop.write(battery + "power_now", "12000000");
    laptop.write("/sys/devices/platform/coretemp.0/hwmon/hwmon3/temp1_input", "71000");
    laptop.write("/sys/devices/platform/thinkpad_hwmon/hwmon/hwmon4/fan1_input", "3300");
    laptop.write(zones + "thermal_zone2/temp", "96000");   // over the passive trip
    laptop.write(cpus + "cpu5/thermal_throttle/core_throttle_count", "4");
    opened.take();   // the writes above
    const SensorSnapshot second = telemetry.sample();
    EXPECT_EQ(opened.take(), expected);
    EXPECT_EQ(first.systemPowerWatts, 8.54);
    EXPECT_EQ(second.systemPowerWatts, 12.0);
    EXPECT_EQ(second.cpuTemperatureCelsius, 71.0);
    EXPECT_EQ(second.fanRPM, std::vector<double>{3300});
    EXPECT_EQ(second.thermalState, ThermalState::serious);
    laptop.write(zones + "thermal_zone2/temp", "101000");
    EXPECT_EQ(telemetry.sample().thermalState, ThermalState::critical);   // at the hot trip
    laptop.write(battery + "status", "Charging");
    EXPECT_EQ(telemetry.sample().systemPowerWatts, std::nullopt);
}

// Sources looked up while no file could be opened were not found, which doesn't mean there
// are none: the next sample looks again instead of going without them for the whole run.
TEST(HardwareTelemetry, SourcesThatCouldntBeLookedUpAreLookedUpAgain) {
    if (const auto why = testing::NoFreeDescriptors::unavailable()) GTEST_SKIP() << *why;
    for (const ExpectedSample& e : {samples[0], samples[1]}) {   // sensors, battery, zones; a GPU's load
        const ProbeRoot root(fixtureMachine(e.machine));
        std::optional<HardwareTelemetry> telemetry;
        {
            testing::NoFreeDescriptors exhausted;
            EXPECT_FALSE(HwmonSensorMap::discover(root).has_value());
            EXPECT_FALSE(GPUUsage::devices(root).has_value());
            telemetry.emplace(true, root);
            const SensorSnapshot blind = telemetry->sample();
            EXPECT_FALSE(blind.hasSensorAccess || blind.gpuLoadPercent || blind.systemPowerWatts || blind.thermalState);
        }
        const SensorSnapshot s = telemetry->sample();
        EXPECT_TRUE(s.hasSensorAccess) << e.machine;
        EXPECT_EQ(s.cpuTemperatureCelsius, e.cpuTemperature) << e.machine;
        EXPECT_EQ(s.fanRPM, e.fans) << e.machine;
        EXPECT_EQ(s.systemPowerWatts, e.power) << e.machine;
        EXPECT_EQ(s.gpuLoadPercent, e.gpuLoad) << e.machine;
        EXPECT_EQ(s.thermalState, e.thermal) << e.machine;
    }
}

TEST(HardwareTelemetry, OutOfRangeReadingsAreDroppedForThatSampleOnly) {
    MachineCopy mac("intel-mac");
    HardwareTelemetry telemetry(true, mac.root());
    // The package sensor reads 150 °C for one sample: the SMC's CPU keys still answer.
    mac.write("/sys/devices/platform/coretemp.0/hwmon/hwmon2/temp1_input", "150000");
    mac.write("/sys/devices/platform/applesmc.768/fan1_input", "25000");
    auto hot = telemetry.sample();
    EXPECT_EQ(hot.cpuTemperatureCelsius, 63.0);   // TCXC
    EXPECT_EQ(hot.fanRPM, (std::vector<double>{1998}));
    mac.write("/sys/devices/platform/coretemp.0/hwmon/hwmon2/temp1_input", "71000");
    mac.write("/sys/devices/platform/applesmc.768/fan1_input", "2400");
    auto back = telemetry.sample();
    EXPECT_EQ(back.cpuTemperatureCelsius, 71.0);
    EXPECT_EQ(back.fanRPM, (std::vector<double>{2400, 1998}));
}

TEST(GPUUsage, TheBusiestGpuCountsAndASuspendedOneIsIdleWithoutBeingAsked) {
    MachineCopy pc("amd-desktop");
    const std::string gpu = "/sys/devices/pci0000:00/0000:00:03.1/0000:09:00.0/0000:0a:00.0/0000:0b:00.0/";
    const auto gpus = *GPUUsage::devices(pc.root());
    pc.write(gpu + "gpu_busy_percent", "140");
    EXPECT_EQ(GPUUsage::read(pc.root(), gpus), 100.0);
    pc.write(gpu + "gpu_busy_percent", "-5");
    EXPECT_EQ(GPUUsage::read(pc.root(), gpus), 0.0);
    std::filesystem::create_directories(pc.root().at(gpu + "power"));
    pc.write(gpu + "power/runtime_status", "suspended");
    pc.write(gpu + "gpu_busy_percent", "not readable while suspended");
    EXPECT_EQ(GPUUsage::read(pc.root(), gpus), 0.0);
    EXPECT_TRUE(GPUUsage::devices(ProbeRoot(fixtureMachine("intel-mac")))->empty());
}

TEST(HwmonSensorMap, KeepsOnlySensorsThatMeasureTheCpuOrGpuAndReadPlausibly) {
    const auto map = *HwmonSensorMap::discover(ProbeRoot(fixtureMachine("intel-mac")));
    const std::string smc = "/sys/class/hwmon/hwmon1/device/";
    // TC0D reads 0 and TG1D 140 at discovery; TA0P, TC1C, TCGC, TM0P, Ts0P measure other parts.
    EXPECT_EQ(map.cpu, (std::vector<std::string>{smc + "temp4_input", smc + "temp5_input", smc + "temp6_input",
                                                 smc + "temp8_input", "/sys/class/hwmon/hwmon2/temp1_input"}));
    EXPECT_EQ(map.gpu, (std::vector<std::string>{smc + "temp10_input", smc + "temp11_input"}));
    EXPECT_EQ(map.fans, (std::vector<std::string>{smc + "fan1_input", smc + "fan2_input"}));
}

TEST(HwmonSensorMap, AnUnlabelledK10tempGivesTheCpuTemperature) {
    const auto map = *HwmonSensorMap::discover(ProbeRoot(fixtureMachine("amd-phenom-desktop")));
    EXPECT_EQ(map.cpu, (std::vector<std::string>{"/sys/class/hwmon/hwmon0/temp1_input"}));
}

TEST(HwmonSensorMap, ASleepingGpuIsNeverReadButCountsOnceAwake) {
    MachineCopy pc("amd-desktop");
    const std::string gpu = "/sys/devices/pci0000:00/0000:00:03.1/0000:09:00.0/0000:0a:00.0/0000:0b:00.0/";
    std::filesystem::create_directories(pc.root().at(gpu + "power"));
    pc.write(gpu + "power/runtime_status", "suspended");
    pc.write(gpu + "hwmon/hwmon1/temp2_input", "0");   // what a woken-up read might say
    HardwareTelemetry telemetry(true, pc.root());
    auto asleep = telemetry.sample();
    EXPECT_EQ(asleep.gpuTemperatureCelsius, std::nullopt);
    EXPECT_EQ(asleep.cpuTemperatureCelsius, 65.5);
    EXPECT_EQ(asleep.fanRPM, (std::vector<double>{0, 853, 1120}));   // the GPU's fan is left out
    pc.write(gpu + "power/runtime_status", "active");
    pc.write(gpu + "hwmon/hwmon1/temp2_input", "57000");
    auto awake = telemetry.sample();
    EXPECT_EQ(awake.gpuTemperatureCelsius, 57.0);
    EXPECT_EQ(awake.fanRPM, (std::vector<double>{0, 0, 853, 1120}));
}

TEST(HwmonSensorMap, ClassifiesOtherChipsByTheirOwnLabels) {
    const std::vector<std::string> tctlOnly{"Tctl", "Tccd1"}, withTdie{"Tctl", "Tdie", "Tccd1"};
    EXPECT_EQ(classifyChipSensor("k10temp", "Tctl", tctlOnly), ThermalSensorKind::cpu);
    EXPECT_EQ(classifyChipSensor("k10temp", "Tctl", withTdie), std::nullopt);   // may carry an offset
    EXPECT_EQ(classifyChipSensor("k10temp", "Tdie", withTdie), ThermalSensorKind::cpu);
    EXPECT_EQ(classifyChipSensor("k10temp", "Tccd3", withTdie), ThermalSensorKind::cpu);
    EXPECT_EQ(classifyChipSensor("k10temp", "", {""}), ThermalSensorKind::cpu);   // before Zen, older kernels
    EXPECT_EQ(classifyChipSensor("coretemp", "Package id 1", {}), ThermalSensorKind::cpu);
    EXPECT_EQ(classifyChipSensor("coretemp", "Core 3", {}), std::nullopt);
    EXPECT_EQ(classifyChipSensor("amdgpu", "junction", {}), ThermalSensorKind::gpu);
    EXPECT_EQ(classifyChipSensor("amdgpu", "mem", {}), std::nullopt);
    EXPECT_EQ(classifyChipSensor("nouveau", "", {}), ThermalSensorKind::gpu);
    EXPECT_EQ(classifyChipSensor("nvme", "Composite", {}), std::nullopt);
    EXPECT_EQ(classifyChipSensor("acpitz", "", {}), std::nullopt);
}

TEST(HwmonSensorMap, HottestIgnoresImplausibleAndUnreadableInputs) {
    MachineCopy pc("amd-desktop");
    const auto root = pc.root();
    const std::string k10 = "/sys/devices/pci0000:00/0000:00:18.3/hwmon/hwmon0/";
    pc.write(k10 + "temp1_input", "135000");
    pc.write(k10 + "temp3_input", "4990");
    EXPECT_EQ(HwmonSensorMap::hottest(root, {k10 + "temp1_input", k10 + "temp3_input"}), 135.0);
    pc.write(k10 + "temp1_input", "150000");
    EXPECT_EQ(HwmonSensorMap::hottest(root, {k10 + "temp1_input", k10 + "temp3_input", k10 + "missing"}), std::nullopt);
    EXPECT_EQ(HwmonSensorMap::hottest(root, {}), std::nullopt);
}

} // namespace
} // namespace zantiva
