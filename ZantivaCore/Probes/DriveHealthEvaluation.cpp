#include "Probes/DriveHealthEvaluation.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>
#include <utility>

namespace zantiva::DriveHealthReader {

namespace {

// Critical-warning bits 0 to 4; bits 5 to 7 are not judged.
constexpr std::array<std::pair<int, DriveHealthIssue>, 5> warningBits{{
    {1, DriveHealthIssue::spareBelowThreshold},
    {2, DriveHealthIssue::overheated},
    {4, DriveHealthIssue::reliabilityDegraded},
    {8, DriveHealthIssue::readOnly},
    {16, DriveHealthIssue::backupFailed},
}};

constexpr std::int64_t wornOutPercent = 100;
constexpr std::int64_t nearingWearLimitPercent = 90;

std::string_view name(DriveHealthIssue issue) { return rawValue(issue); }

} // namespace

void evaluate(DriveHealthInfo& drive, bool systemReportsFailing, bool hasData) {
    std::set<DriveHealthIssue> found;
    if (drive.criticalWarning)
        for (const auto& [bit, issue] : warningBits)
            if (*drive.criticalWarning & bit) found.insert(issue);
    if (drive.availableSparePercent && drive.availableSpareThresholdPercent &&
        *drive.availableSpareThresholdPercent >= 1 && *drive.availableSparePercent < *drive.availableSpareThresholdPercent)
        found.insert(DriveHealthIssue::spareBelowThreshold);
    if (drive.percentageUsed) {
        if (*drive.percentageUsed >= wornOutPercent) found.insert(DriveHealthIssue::wornOut);
        else if (*drive.percentageUsed >= nearingWearLimitPercent) found.insert(DriveHealthIssue::nearingWearLimit);
    }
    if (drive.mediaErrors && *drive.mediaErrors >= 1) found.insert(DriveHealthIssue::mediaErrors);
    if (systemReportsFailing) found.insert(DriveHealthIssue::systemUnhealthy);

    drive.issues.assign(found.begin(), found.end());
    std::sort(drive.issues.begin(), drive.issues.end(),
              [](DriveHealthIssue a, DriveHealthIssue b) { return name(a) < name(b); });

    if (!hasData) drive.status = DriveHealthStatus::unknown;
    else if (std::any_of(drive.issues.begin(), drive.issues.end(), isBad)) drive.status = DriveHealthStatus::bad;
    else if (drive.issues.empty()) drive.status = DriveHealthStatus::good;
    else drive.status = DriveHealthStatus::caution;
}

} // namespace zantiva::DriveHealthReader
