#pragma once

#include <filesystem>
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

// The controller that answers for an NVMe namespace ("nvme0n1"), from the device folder its
// /sys/block entry leads to: the folder it sits in ("…/nvme/nvme0/nvme0n1"), or, for a
// namespace shared through a subsystem, the number in its own name.
std::string nvmeControllerOf(const std::string& name, const std::filesystem::path& devicePath);

// The machine's internal drives in /sys/block order: the physical drives (isPhysicalDrive)
// less removable media and drives on USB. When /sys/block could not be read, the error of
// that read and no drives: which drives there are is then unknown, not none.
Listed<InternalDrive> readInternalDrives(const ProbeRoot& root);

} // namespace zantiva
