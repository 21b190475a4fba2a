#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Model/DriveHealthReport.h"
#include "Probes/DriveHealthEvaluation.h"
#include "Probes/NvmeHealthLog.h"
#include "Probes/ProbeRoot.h"
#include "Probes/SmartctlVerdict.h"

namespace zantiva {

// Where the drive health reader looks, and the two sources it asks per drive.
struct DriveHealthOptions {
    ProbeRoot root;
    // The raw health log of an NVMe controller ("nvme0"); unset: the admin command on
    // its device node under the root.
    std::function<std::optional<std::vector<std::uint8_t>>(const std::string& controller)> healthLog;
    // The command that prints a drive's ("sda") SMART verdict as JSON; unset: smartctl on
    // its device node under the root, when smartctl is installed. An empty command asks
    // nothing.
    std::function<std::vector<std::string>(const std::string& device)> verdictCommand;
    std::chrono::milliseconds toolTimeout{5000};
};

// Reads the health of every internal drive once: the NVMe health log where there is one,
// the drive's SMART verdict, and from both its findings and status. Blocking (one bounded
// smartctl run per drive); never throws. A drive that gave neither (no permission, no
// SMART) is "unknown" with no findings. Drives in natural order of their names.
namespace DriveHealthReader {
DriveHealthReport read(const DriveHealthOptions& options = {});
}

} // namespace zantiva
