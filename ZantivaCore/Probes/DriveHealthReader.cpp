#include "Probes/DriveHealthReader.h"

#include <algorithm>
#include <map>

#include "Probes/InternalDrives.h"
#include "Probes/NvmeAdminCommand.h"

namespace zantiva::DriveHealthReader {

namespace {

using HealthLog = std::optional<std::vector<std::uint8_t>>;

// One log per controller, however many of its namespaces are drives here.
std::map<std::string, HealthLog> nvmeHealthLogs(const std::vector<InternalDrive>& drives,
                                                const DriveHealthOptions& options) {
    std::map<std::string, HealthLog> logs;
    for (const auto& drive : drives) {
        if (!drive.nvmeController || logs.contains(*drive.nvmeController)) continue;
        const std::string& controller = *drive.nvmeController;
        logs[controller] = options.healthLog ? options.healthLog(controller)
                                             : readNvmeHealthLog(options.root.at("/dev/" + controller));
    }
    return logs;
}

} // namespace

DriveHealthReport read(const DriveHealthOptions& options) {
    auto drives = readInternalDrives(options.root);
    const auto logs = nvmeHealthLogs(drives, options);
    DriveHealthReport report;
    for (auto& [info, controller] : drives) {
        bool logUsed = false;
        if (controller) {
            const HealthLog& log = logs.at(*controller);
            logUsed = log && parseNVMeHealthLog(*log, info);
        }
        const auto command = options.verdictCommand ? options.verdictCommand(info.id)
                                                    : smartctlVerdictCommand(options.root.at("/dev/" + info.id));
        const auto verdict = systemVerdict(command, options.toolTimeout);
        evaluate(info, verdict == false, verdict.has_value() || logUsed);
        report.drives.push_back(std::move(info));
    }
    std::stable_sort(report.drives.begin(), report.drives.end(),
                     [](const DriveHealthInfo& a, const DriveHealthInfo& b) { return naturalLess(a.id, b.id); });
    report.checkedAt = std::chrono::system_clock::now();   // when the reading finished
    return report;
}

} // namespace zantiva::DriveHealthReader
