#include "Model/DriveHealthStatus.h"

#include "Platform/AsciiText.h"

namespace zantiva {
namespace {

constexpr std::array<std::string_view, 4> statusNames{"unknown", "good", "caution", "bad"};

std::string keyOf(std::string_view prefix, std::string_view name) {
    std::string key(prefix);
    key += name;
    key[prefix.size()] = ascii::upper(key[prefix.size()]);
    return key;
}

} // namespace

std::optional<DriveHealthStatus> driveHealthStatusFromRaw(std::int64_t raw) {
    if (raw < 0 || raw > 3) return std::nullopt;
    return static_cast<DriveHealthStatus>(raw);
}

std::string messageKey(DriveHealthStatus status) {
    return keyOf("DriveHealth.Status.", statusNames[static_cast<std::size_t>(status)]);
}

bool isBad(DriveHealthIssue issue) {
    return static_cast<int>(issue) <= static_cast<int>(DriveHealthIssue::systemUnhealthy);
}

std::string messageKey(DriveHealthIssue issue) { return keyOf("DriveHealth.Issue.", rawValue(issue)); }

std::string messageKey(DriveUnreadReason reason) {
    switch (reason) {
    case DriveUnreadReason::rightsNotGranted: return "DriveHealth.NeedsRights";
    case DriveUnreadReason::nobodyCouldBeAsked: return "DriveHealth.NobodyToAsk";
    case DriveUnreadReason::readFailed: return "DriveHealth.ReadFailed";
    case DriveUnreadReason::refusedHere: return "DriveHealth.RefusedHere";
    }
    return {};
}

} // namespace zantiva
