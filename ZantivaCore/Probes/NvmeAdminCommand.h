#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace zantiva {

// The 512-byte NVMe health log page of a controller (/dev/nvme0), read with the admin
// command Get Log Page 02h through the kernel's pass-through ioctl. Absent when the device
// cannot be opened (usually: no permission) or the command fails.
std::optional<std::vector<std::uint8_t>> readNvmeHealthLog(const std::filesystem::path& controllerDevice);

} // namespace zantiva
