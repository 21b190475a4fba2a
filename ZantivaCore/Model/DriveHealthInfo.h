#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Model/DriveHealthStatus.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// The health of one drive as its own health log and the system's SMART verdict tell it.
// An absent reading means the drive did not report it, which is not the same as 0.
struct DriveHealthInfo {
    std::string id; // the kernel's device name; identity and sort key
    std::string model;
    std::string busType;
    std::string mediaType; // "SSD", "HDD" or ""
    double sizeGB = 0;     // decimal gigabytes, not rounded
    DriveHealthStatus status = DriveHealthStatus::unknown;
    std::vector<DriveHealthIssue> issues;
    std::optional<std::int64_t> percentageUsed;
    std::optional<std::int64_t> availableSparePercent;
    std::optional<std::int64_t> availableSpareThresholdPercent;
    std::optional<std::int64_t> temperatureCelsius;
    std::optional<std::int64_t> powerOnHours;
    std::optional<std::int64_t> mediaErrors;
    std::optional<std::int64_t> unsafeShutdowns;
    std::optional<double> dataWrittenTB;
    std::optional<std::int64_t> criticalWarning;
    // Why the drive told nothing, when its sources were refused and that is the reason; absent
    // for a drive read, or one that simply told nothing. Stored only when present:
    // rightsNotGranted as "needsAdministratorRights": true, as files before the other reasons
    // have it, the others as "unreadReason".
    std::optional<DriveUnreadReason> unreadReason;

    DriveHealthInfo() = default;
    explicit DriveHealthInfo(std::string driveId) : id(std::move(driveId)) {}

    // Absent for an unknown drive; 100 good, 50 caution, 0 bad.
    std::optional<double> score() const;

    json::Json toJson() const;
    static DriveHealthInfo fromJson(const json::Json& j);

    bool operator==(const DriveHealthInfo&) const = default;
};

} // namespace zantiva
