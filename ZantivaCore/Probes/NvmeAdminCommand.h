#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "Probes/DriveHealthReading.h"

namespace zantiva {

// The 512-byte NVMe health log page of a controller (/dev/nvme0), read with the admin
// command Get Log Page 02h through the kernel's pass-through ioctl. No log when the device
// cannot be opened or the command fails; refused when the kernel turned this user away
// (opening the node, or the ioctl, which it allows to root only).
HealthSourceAnswer<std::vector<std::uint8_t>> readNvmeHealthLog(const std::filesystem::path& controllerDevice);

} // namespace zantiva
