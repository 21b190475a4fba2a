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

// The machine's internal drives in /sys/block order. Not drives here: RAM, loop,
// compressed-swap, device-mapper, RAID, network and optical devices, and anything built
// in software; not internal: removable media and drives on USB.
std::vector<InternalDrive> readInternalDrives(const ProbeRoot& root);

} // namespace zantiva
