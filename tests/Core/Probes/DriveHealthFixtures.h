#pragma once

// The drive health reader on a captured machine tree.

#include <filesystem>
#include <string>
#include <vector>

#include "Probes/DriveHealthReader.h"

namespace zantiva::testing {

// NVMe health logs come from tools/<controller>-health-log.bin and SMART verdicts are
// printed by cat from tools/smartctl-<drive>.json (no file: no verdict), so the bounded
// child-process path runs as in production.
inline DriveHealthOptions fixtureDriveHealth(const std::filesystem::path& machine) {
    DriveHealthOptions options;
    options.root = ProbeRoot(machine);
    options.healthLog = [machine](const std::string& controller) -> HealthSourceAnswer<std::vector<std::uint8_t>> {
        const auto raw = ProbeRoot(machine).bytes("/tools/" + controller + "-health-log.bin");
        if (!raw) return {};
        return {.value = std::vector<std::uint8_t>(raw->begin(), raw->end()), .refused = false};
    };
    options.verdict = [machine, timeout = options.toolTimeout](const std::string& device) -> HealthSourceAnswer<bool> {
        const auto printed = (machine / "tools" / ("smartctl-" + device + ".json")).string();
        return {.value = DriveHealthReader::systemVerdict({"cat", printed}, timeout), .refused = false};
    };
    return options;
}

} // namespace zantiva::testing
