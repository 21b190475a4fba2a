#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Model/JsonCodec.h"

namespace zantiva {

// One group of CPU cores of one performance level.
struct CoreCluster {
    std::string name;      // "Performance", "Efficiency", or "Level N" when the system gives none
    std::int64_t cores = 0;

    bool operator==(const CoreCluster&) const = default;
    json::Json toJson() const;
    static CoreCluster fromJson(const json::Json& j);
};

// One storage device of the machine.
struct StorageDeviceInfo {
    std::string model = "Unknown";
    double capacityGB = 0;              // decimal gigabytes (10^9 bytes)
    std::string mediaType = "Unknown";
    std::string interfaceType = "Unknown";
    bool isInternal = true;             // built in unless known to be external

    bool operator==(const StorageDeviceInfo&) const = default;
    json::Json toJson() const;
    static StorageDeviceInfo fromJson(const json::Json& j);
};

// The hardware inventory of the machine under test. The system probe starts from the
// empty inventory and overwrites what it can read; a text it could not read stays
// "Unknown" (SystemSpecs::unknown), a number stays 0.
struct SystemSpecs {
    static constexpr const char* unknown = "Unknown";

    std::string manufacturer = unknown;
    std::string model = unknown;
    std::string modelIdentifier = unknown;
    std::string operatingSystem = unknown;
    std::string architecture = unknown;
    std::string cpuName = unknown;
    std::int64_t cpuCores = 0;
    std::int64_t cpuThreads = 0;
    std::vector<CoreCluster> coreClusters;   // fastest level first; empty with a single level
    double cpuMaxClockGHz = 0;
    double ramCapacityGB = 0;                // gigabytes of 2^30 bytes
    std::int64_t ramSpeedMHz = 0;
    std::string ramType = unknown;
    std::int64_t ramModuleCount = 0;
    std::string gpuName = unknown;
    std::int64_t gpuCoreCount = 0;
    double gpuMemoryGB = 0;                  // stays 0 with unified memory
    bool hasUnifiedMemory = false;
    std::string metalVersion = unknown;
    std::vector<StorageDeviceInfo> storageDevices;
    std::string motherboardManufacturer = unknown;
    std::string motherboardModel = unknown;
    std::string displayResolution = unknown;
    std::int64_t displayRefreshRateHz = 0;
    std::string firmwareVersion = unknown;

    // "8 Performance + 4 Efficiency"; absent without clusters.
    std::optional<std::string> clusterSummary() const;
    // "8P+4E": each count followed by its name's first character in upper case.
    std::optional<std::string> clusterShorthand() const;
    // Cores of the fastest level; cpuCores when there are no clusters.
    std::int64_t fastestClusterCores() const;

    bool operator==(const SystemSpecs&) const = default;
    json::Json toJson() const;
    static SystemSpecs fromJson(const json::Json& j);
};

} // namespace zantiva
