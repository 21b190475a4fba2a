#include "Gallery/PreviewSamples.h"

namespace zantiva::PreviewSamples {

SystemSpecs systemSpecs() {
    SystemSpecs specs;
    specs.model = "MacBook Pro (14-inch, 2024)";
    specs.modelIdentifier = "Mac16,8";
    specs.operatingSystem = "macOS 15.1 (24B83)";
    specs.architecture = "arm64";
    specs.cpuName = "Apple M4 Pro";
    specs.cpuCores = 14;
    specs.cpuThreads = 14;
    specs.coreClusters = {{"Performance", 10}, {"Efficiency", 4}};
    specs.ramCapacityGB = 24;
    specs.ramType = "LPDDR5";
    specs.gpuName = "Apple M4 Pro";
    specs.gpuCoreCount = 20;
    specs.hasUnifiedMemory = true;
    specs.metalVersion = "Metal 3";
    specs.storageDevices = {
        {.model = "APPLE SSD AP0512Z", .capacityGB = 500.3, .mediaType = "SSD", .interfaceType = "Apple Fabric",
         .isInternal = true},
        {.model = "Samsung PSSD T7", .capacityGB = 1000.2, .mediaType = "SSD", .interfaceType = "USB",
         .isInternal = false},
    };
    specs.displayResolution = "3024 \u00D7 1964";
    specs.displayRefreshRateHz = 120;
    specs.firmwareVersion = "iBoot-11881.41.5";
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
    snapshot.ramTotalGB = 24.0;
    snapshot.fanRPM = {1850};
    snapshot.hasSensorAccess = true;
    return snapshot;
}

} // namespace zantiva::PreviewSamples
