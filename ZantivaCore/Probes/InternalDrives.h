#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Model/DriveHealthInfo.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// A built-in drive whose health can be asked for: its record with the facts of /sys/block
// filled in (name, model, interconnect, medium, size) and, for an NVMe namespace, the
// controller that answers for it ("nvme0").
struct InternalDrive {
    DriveHealthInfo info;
    std::optional<std::string> nvmeController;
};

// The machine's internal drives in /sys/block order: the physical drives (isPhysicalDrive)
// less removable media and drives on USB.
std::vector<InternalDrive> readInternalDrives(const ProbeRoot& root);

} // namespace zantiva
