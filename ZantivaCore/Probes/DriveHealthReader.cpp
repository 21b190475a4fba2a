#include "Probes/DriveHealthReader.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "Probes/InternalDrives.h"
#include "Probes/NvmeAdminCommand.h"

namespace zantiva::DriveHealthReader {

namespace {

using HealthLogAnswer = HealthSourceAnswer<std::vector<std::uint8_t>>;

// The health log of the drive's controller, read once per controller however many of its
// namespaces are drives here.
const HealthLogAnswer& nvmeHealthLog(const std::string& controller, const DriveHealthOptions& options,
                                     std::map<std::string, HealthLogAnswer>& logs) {
    const auto known = logs.find(controller);
    if (known != logs.end()) return known->second;
    return logs[controller] = options.healthLog ? options.healthLog(controller)
                                                : readNvmeHealthLog(options.root.at("/dev/" + controller));
}

// What a drive refused to this user is marked with when the read with the rights gave nothing.
std::optional<DriveUnreadReason> reasonOf(ElevatedReadEnd end) {
    switch (end) {
    case ElevatedReadEnd::declined: return DriveUnreadReason::rightsNotGranted;
    case ElevatedReadEnd::nobodyToAsk: return DriveUnreadReason::nobodyCouldBeAsked;
    case ElevatedReadEnd::failed: return DriveUnreadReason::readFailed;
    case ElevatedReadEnd::read:
    case ElevatedReadEnd::stopped: break;
    }
    return std::nullopt;
}

// The drive's readings from its own sources, then, when one of them was refused for lack
// of rights, from whoever reads with administrator rights (root never asks: the system
// refused it). The person is asked once per reading: `unanswered` keeps a question declined
// or one nobody could be asked, the answer for every later drive. A read that failed after
// the question speaks only for its own drive (polkit keeps the answer, so the next drive is
// read without asking again). Answers why the drive may lack what the rights would have
// given; nothing when it lacks nothing for that reason, or the reading was stopped first.
std::optional<DriveUnreadReason> readSources(const InternalDrive& drive, std::map<std::string, HealthLogAnswer>& logs,
                                             const DriveHealthOptions& options, const CancelToken& cancel,
                                             std::optional<ElevatedReadEnd>& unanswered, DriveHealthReading& reading) {
    // A stopped reading reads no more drives: they stay unknown, as it claims nothing.
    if (cancel.isCancelled()) return std::nullopt;
    bool refused = false;
    if (drive.nvmeController) {
        const HealthLogAnswer& log = nvmeHealthLog(*drive.nvmeController, options, logs);
        reading.nvmeLog = log.value;
        refused = log.refused;
    }
    const std::string& id = drive.info.id;
    const auto verdict = options.verdict ? options.verdict(id)
                                         : smartctlVerdict(options.root.at("/dev/" + id), options.toolTimeout, cancel);
    reading.verdict = verdict.value;
    refused = refused || verdict.refused;
    // A stopped reading asks nobody and claims nothing about rights it never asked for.
    if (!refused || cancel.isCancelled()) return std::nullopt;
    if (options.runsAsRoot) return DriveUnreadReason::refusedHere;
    if (!options.withAdministratorRights) return DriveUnreadReason::nobodyCouldBeAsked;
    if (unanswered) return reasonOf(*unanswered);
    const ElevatedDriveReading elevated = options.withAdministratorRights(id, cancel);
    if (cancel.isCancelled()) return std::nullopt;
    if (elevated.end != ElevatedReadEnd::read) {
        if (elevated.end != ElevatedReadEnd::failed) unanswered = elevated.end;
        return reasonOf(elevated.end);
    }
    if (!reading.nvmeLog) reading.nvmeLog = elevated.reading.nvmeLog;
    if (!reading.verdict) reading.verdict = elevated.reading.verdict;
    return std::nullopt;
}

} // namespace

DriveHealthReport read(const DriveHealthOptions& options, const CancelToken& cancel) {
    auto [drives, listingError] = readInternalDrives(options.root);
    std::map<std::string, HealthLogAnswer> logs;
    std::optional<ElevatedReadEnd> unanswered;
    DriveHealthReport report;
    if (listingError) report.listingError = std::generic_category().message(listingError);
    for (auto& drive : drives) {
        DriveHealthReading reading;
        const auto unread = readSources(drive, logs, options, cancel, unanswered, reading);
        DriveHealthInfo& info = drive.info;
        const bool logUsed = reading.nvmeLog && parseNVMeHealthLog(*reading.nvmeLog, info);
        evaluate(info, reading.verdict == false, reading.verdict.has_value() || logUsed);
        if (info.status == DriveHealthStatus::unknown) info.unreadReason = unread;
        report.drives.push_back(std::move(info));
    }
    std::stable_sort(report.drives.begin(), report.drives.end(),
                     [](const DriveHealthInfo& a, const DriveHealthInfo& b) { return naturalLess(a.id, b.id); });
    report.checkedAt = std::chrono::system_clock::now();   // when the reading finished
    return report;
}

} // namespace zantiva::DriveHealthReader
