#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Model/RawValues.h"

namespace zantiva {

// A drive's verdict, ordered from nothing known to worst: a greater status is a worse one.
// Stored as its integer raw value.
enum class DriveHealthStatus : std::int64_t { unknown = 0, good = 1, caution = 2, bad = 3 };

// 0 to 3 only.
std::optional<DriveHealthStatus> driveHealthStatusFromRaw(std::int64_t raw);
// "DriveHealth.Status.Unknown", "…Good", "…Caution", "…Bad".
std::string messageKey(DriveHealthStatus status);

// One finding about a drive, stored as its case name. The first six cases are the bad
// ones; the order is fixed.
enum class DriveHealthIssue {
    spareBelowThreshold,
    reliabilityDegraded,
    readOnly,
    backupFailed,
    failurePredicted,
    systemUnhealthy,
    overheated,
    wornOut,
    nearingWearLimit,
    mediaErrors,
    uncorrectedErrors,
    systemWarning,
};

template <> struct RawValues<DriveHealthIssue> {
    static constexpr std::array<std::pair<DriveHealthIssue, std::string_view>, 12> table{{
        {DriveHealthIssue::spareBelowThreshold, "spareBelowThreshold"},
        {DriveHealthIssue::reliabilityDegraded, "reliabilityDegraded"},
        {DriveHealthIssue::readOnly, "readOnly"},
        {DriveHealthIssue::backupFailed, "backupFailed"},
        {DriveHealthIssue::failurePredicted, "failurePredicted"},
        {DriveHealthIssue::systemUnhealthy, "systemUnhealthy"},
        {DriveHealthIssue::overheated, "overheated"},
        {DriveHealthIssue::wornOut, "wornOut"},
        {DriveHealthIssue::nearingWearLimit, "nearingWearLimit"},
        {DriveHealthIssue::mediaErrors, "mediaErrors"},
        {DriveHealthIssue::uncorrectedErrors, "uncorrectedErrors"},
        {DriveHealthIssue::systemWarning, "systemWarning"},
    }};
};

// True for the first six cases.
bool isBad(DriveHealthIssue issue);
// "DriveHealth.Issue." + the case name with its first letter upper-cased ("…WornOut").
std::string messageKey(DriveHealthIssue issue);

// Why a drive told nothing, when what kept its health sources from it is known; stored as its
// case name (rightsNotGranted under its older key, docs/cli.md).
enum class DriveUnreadReason {
    rightsNotGranted,    // refused to this user, and the person declined the question for rights
    nobodyCouldBeAsked,  // refused to this user, and there was nobody to ask or nothing to ask with
    readFailed,          // read with the rights, and that read failed
    refusedHere,         // refused even to root: the system itself keeps the drive from us
};

template <> struct RawValues<DriveUnreadReason> {
    static constexpr std::array<std::pair<DriveUnreadReason, std::string_view>, 4> table{{
        {DriveUnreadReason::rightsNotGranted, "rightsNotGranted"},
        {DriveUnreadReason::nobodyCouldBeAsked, "nobodyCouldBeAsked"},
        {DriveUnreadReason::readFailed, "readFailed"},
        {DriveUnreadReason::refusedHere, "refusedHere"},
    }};
};

// The note that says why: "DriveHealth.NeedsRights", "…NobodyToAsk", "…ReadFailed", "…RefusedHere".
std::string messageKey(DriveUnreadReason reason);

} // namespace zantiva
