#pragma once

#include <vector>

#include "Model/SystemSpecs.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// The machine's drives from /sys/block: internal ones first, larger first. Loop, RAM,
// zram, device-mapper, RAID, network-block and optical devices are not drives here, nor
// is anything of size 0.
std::vector<StorageDeviceInfo> readBlockDevices(const ProbeRoot& root);

} // namespace zantiva
