#include "Gallery/PreviewSamples.h"

namespace zantiva::PreviewSamples {

SystemSpecs systemSpecs() {
    SystemSpecs specs;
    specs.manufacturer = "Framework";
    specs.model = "Laptop (13th Gen Intel Core)";
    specs.modelIdentifier = "FRANBMCP0A";
    specs.operatingSystem = "Debian GNU/Linux 12 (bookworm)";
    specs.architecture = "x86_64";
    specs.cpuName = "13th Gen Intel(R) Core(TM) i7-1360P";
    specs.cpuCores = 12;
    specs.cpuThreads = 16;
    specs.coreClusters = {{"Performance", 4}, {"Efficiency", 8}};
    specs.cpuMaxClockGHz = 5.0;
    specs.ramCapacityGB = 32;
    specs.ramType = "DDR4";
    specs.ramSpeedMHz = 3200;
    specs.ramModuleCount = 2;
    specs.gpuName = "Mesa Intel(R) Graphics (RPL-P)";
    specs.metalVersion = "OpenGL ES 3.2";
    specs.storageDevices = {
        {.model = "WD_BLACK SN850X 1000GB", .capacityGB = 1000.2, .mediaType = "SSD", .interfaceType = "NVMe",
         .isInternal = true},
        {.model = "Samsung PSSD T7", .capacityGB = 1000.2, .mediaType = "SSD", .interfaceType = "USB",
         .isInternal = false},
    };
    specs.displayResolution = "2256 \u00D7 1504";
    specs.displayRefreshRateHz = 60;
    specs.firmwareVersion = "03.05";
    return specs;
}

SensorSnapshot sensorSnapshot() {
    SensorSnapshot snapshot;
    snapshot.cpuLoadPercent = 37.0;
    snapshot.cpuTemperatureCelsius = 61.4;
    snapshot.gpuLoadPercent = 12.0;
    snapshot.gpuTemperatureCelsius = 54.8;
    snapshot.systemPowerWatts = 23.6;
    snapshot.ramLoadPercent = 58.0;
    snapshot.ramUsedGB = 13.9;
    snapshot.ramTotalGB = 32.0;
    snapshot.fanRPM = {1850};
    snapshot.thermalState = ThermalState::nominal;
    snapshot.hasSensorAccess = true;
    return snapshot;
}

} // namespace zantiva::PreviewSamples
