#include "Probes/DriveHealthReader.h"

#include <algorithm>
#include <map>

#include "Probes/InternalDrives.h"
#include "Probes/NvmeAdminCommand.h"

namespace zantiva::DriveHealthReader {

namespace {

using HealthLogAnswer = HealthSourceAnswer<std::vector<std::uint8_t>>;

// One log per controller, however many of its namespaces are drives here.
std::map<std::string, HealthLogAnswer> nvmeHealthLogs(const std::vector<InternalDrive>& drives,
                                                      const DriveHealthOptions& options) {
    std::map<std::string, HealthLogAnswer> logs;
    for (const auto& drive : drives) {
        if (!drive.nvmeController || logs.contains(*drive.nvmeController)) continue;
        const std::string& controller = *drive.nvmeController;
        logs[controller] = options.healthLog ? options.healthLog(controller)
                                             : readNvmeHealthLog(options.root.at("/dev/" + controller));
    }
    return logs;
}

// The drive's readings from its own sources, then, when one of them was refused for lack
// of rights and asking is still allowed, from whoever reads with administrator rights.
// `mayAsk` turns false once that gave nothing, so that the user is asked once per reading.
// True when the drive still lacks what the rights would have given and the user was asked
// for them (or nobody could be): a reading stopped before an answer claims nothing.
bool readSources(const InternalDrive& drive, const std::map<std::string, HealthLogAnswer>& logs,
                 const DriveHealthOptions& options, const CancelToken& cancel, bool& mayAsk,
                 DriveHealthReading& reading) {
    bool refused = false;
    if (drive.nvmeController) {
        const HealthLogAnswer& log = logs.at(*drive.nvmeController);
        reading.nvmeLog = log.value;
        refused = log.refused;
    }
    const std::string& id = drive.info.id;
    const auto verdict = options.verdict ? options.verdict(id)
                                         : smartctlVerdict(options.root.at("/dev/" + id), options.toolTimeout);
    reading.verdict = verdict.value;
    refused = refused || verdict.refused;
    // A stopped reading asks nobody and claims nothing about rights it never asked for.
    if (!refused || cancel.isCancelled()) return false;
    if (!mayAsk) return true;
    const auto elevated = options.withAdministratorRights(id, cancel);
    if (!elevated) {
        mayAsk = false;
        return !cancel.isCancelled();
    }
    if (!reading.nvmeLog) reading.nvmeLog = elevated->nvmeLog;
    if (!reading.verdict) reading.verdict = elevated->verdict;
    return false;
}

} // namespace

DriveHealthReport read(const DriveHealthOptions& options, const CancelToken& cancel) {
    auto drives = readInternalDrives(options.root);
    const auto logs = nvmeHealthLogs(drives, options);
    bool mayAsk = static_cast<bool>(options.withAdministratorRights);
    DriveHealthReport report;
    for (auto& drive : drives) {
        DriveHealthReading reading;
        const bool lacksRights = readSources(drive, logs, options, cancel, mayAsk, reading);
        DriveHealthInfo& info = drive.info;
        const bool logUsed = reading.nvmeLog && parseNVMeHealthLog(*reading.nvmeLog, info);
        evaluate(info, reading.verdict == false, reading.verdict.has_value() || logUsed);
        info.needsAdministratorRights = lacksRights && info.status == DriveHealthStatus::unknown;
        report.drives.push_back(std::move(info));
    }
    std::stable_sort(report.drives.begin(), report.drives.end(),
                     [](const DriveHealthInfo& a, const DriveHealthInfo& b) { return naturalLess(a.id, b.id); });
    report.checkedAt = std::chrono::system_clock::now();   // when the reading finished
    return report;
}

} // namespace zantiva::DriveHealthReader
