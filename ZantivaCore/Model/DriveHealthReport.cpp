#include "Model/DriveHealthReport.h"

#include <algorithm>

#include "Model/RecordFields.h"

namespace zantiva {
namespace {

constexpr auto fields = std::tuple{
    json::field("drives", &DriveHealthReport::drives),
    json::field("checkedAt", &DriveHealthReport::checkedAt),
    json::field("listingError", &DriveHealthReport::listingError),
};

} // namespace

DriveHealthStatus DriveHealthReport::overall() const {
    DriveHealthStatus worst = DriveHealthStatus::unknown;
    for (const auto& drive : drives) worst = std::max(worst, drive.status);
    return worst;
}

std::optional<double> DriveHealthReport::score() const {
    std::optional<double> lowest;
    for (const auto& drive : drives)
        if (const auto s = drive.score(); s && (!lowest || *s < *lowest)) lowest = s;
    return lowest;
}

json::Json DriveHealthReport::toJson() const { return json::encodeFields(*this, fields); }

DriveHealthReport DriveHealthReport::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
