#include "Model/DriveHealthInfo.h"

#include "Model/RecordFields.h"

namespace zantiva {
namespace {

using D = DriveHealthInfo;

// The status is stored as its integer raw value and the reason a drive went unread under one
// of two keys; both are handled beside this table.
constexpr auto fields = std::tuple{
    json::field("id", &D::id),
    json::field("model", &D::model),
    json::field("busType", &D::busType),
    json::field("mediaType", &D::mediaType),
    json::field("sizeGB", &D::sizeGB),
    json::field("issues", &D::issues),
    json::field("percentageUsed", &D::percentageUsed),
    json::field("availableSparePercent", &D::availableSparePercent),
    json::field("availableSpareThresholdPercent", &D::availableSpareThresholdPercent),
    json::field("temperatureCelsius", &D::temperatureCelsius),
    json::field("powerOnHours", &D::powerOnHours),
    json::field("mediaErrors", &D::mediaErrors),
    json::field("unsafeShutdowns", &D::unsafeShutdowns),
    json::field("dataWrittenTB", &D::dataWrittenTB),
    json::field("criticalWarning", &D::criticalWarning),
};

} // namespace

std::optional<double> DriveHealthInfo::score() const {
    switch (status) {
    case DriveHealthStatus::good: return 100.0;
    case DriveHealthStatus::caution: return 50.0;
    case DriveHealthStatus::bad: return 0.0;
    case DriveHealthStatus::unknown: break;
    }
    return std::nullopt;
}

json::Json DriveHealthInfo::toJson() const {
    json::Json j = json::encodeFields(*this, fields);
    json::put(j, "status", static_cast<std::int64_t>(status));
    if (unreadReason == DriveUnreadReason::rightsNotGranted) json::put(j, "needsAdministratorRights", true);
    else json::put(j, "unreadReason", unreadReason);
    return j;
}

DriveHealthInfo DriveHealthInfo::fromJson(const json::Json& j) {
    auto d = json::decodeFields(j, fields);
    const auto status = driveHealthStatusFromRaw(json::required<std::int64_t>(j, "status"));
    if (!status) json::detail::fail("status", "0, 1, 2 or 3");
    d.status = *status;
    d.unreadReason = json::optional<DriveUnreadReason>(j, "unreadReason");
    if (json::optional<bool>(j, "needsAdministratorRights").value_or(false)) {
        if (d.unreadReason) json::detail::fail("unreadReason", "absent beside needsAdministratorRights");
        d.unreadReason = DriveUnreadReason::rightsNotGranted;
    }
    return d;
}

} // namespace zantiva
