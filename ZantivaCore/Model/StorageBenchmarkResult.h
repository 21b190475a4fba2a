#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "Model/Date.h"
#include "Model/DriveHealthReport.h"
#include "Model/JsonCodec.h"
#include "Model/StorageTestMeasurement.h"
#include "Model/StorageTestProfile.h"

namespace zantiva {

// The whole outcome of one storage benchmark: one measurement per profile and direction.
struct StorageBenchmarkResult {
    std::string targetFolder;
    std::int64_t fileSizeBytes = 1'073'741'824;
    std::optional<StorageTestMeasurement> seqRead;
    std::optional<StorageTestMeasurement> seqWrite;
    std::optional<StorageTestMeasurement> randomQ32Read;
    std::optional<StorageTestMeasurement> randomQ32Write;
    std::optional<StorageTestMeasurement> randomQ1Read;
    std::optional<StorageTestMeasurement> randomQ1Write;
    // Set by the caller after the engine returns, never by the engine.
    std::optional<DriveHealthReport> driveHealth;
    double durationSeconds = 0; // wall time of the whole run
    Date completedAt = std::chrono::system_clock::now();

    // The measurement of one profile and direction, to read or to set.
    std::optional<StorageTestMeasurement>& measurement(StorageTestProfile profile, bool isWrite);
    const std::optional<StorageTestMeasurement>& measurement(StorageTestProfile profile, bool isWrite) const;

    json::Json toJson() const;
    static StorageBenchmarkResult fromJson(const json::Json& j);

    bool operator==(const StorageBenchmarkResult&) const = default;
};

} // namespace zantiva
