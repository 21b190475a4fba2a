#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "Model/DriveHealthInfo.h"

namespace zantiva::DriveHealthReader {

// The NVMe SMART / health information log page (log 02h) is read as 512 bytes; the fields
// used end before byte 192, so a shorter log is no log.
inline constexpr std::size_t nvmeHealthLogBytes = 512;
inline constexpr std::size_t nvmeHealthLogMinimumBytes = 192;

// Fills the drive's NVMe readings from the little-endian log; false, with nothing
// changed, when the log is too short to use.
bool parseNVMeHealthLog(std::span<const std::uint8_t> log, DriveHealthInfo& drive);

} // namespace zantiva::DriveHealthReader
