#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Model/Date.h"
#include "Model/DriveHealthInfo.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// One reading of all internal drives. The worst drive decides the verdict and the score;
// a drive that reported nothing never hides another drive's verdict.
struct DriveHealthReport {
    std::vector<DriveHealthInfo> drives; // ascending by id, as read
    Date checkedAt{};
    // Why the list of drives couldn't be read, in the system's words ("Too many open files"):
    // then which drives there are is unknown, and no drive is listed. Absent when it was read.
    std::optional<std::string> listingError;

    // The worst status over all drives; unknown when there are none.
    DriveHealthStatus overall() const;
    // The smallest score among drives that are not unknown; absent when there is none.
    std::optional<double> score() const;

    json::Json toJson() const;
    static DriveHealthReport fromJson(const json::Json& j);

    bool operator==(const DriveHealthReport&) const = default;
};

} // namespace zantiva
