#pragma once

#include <cstdint>
#include <string_view>

#include "Model/SensorSnapshot.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// Memory in use (total less what the kernel can hand out without swapping) and the
// pressure level from the kernel's pressure-stall information.
struct MemoryUsage {
    std::uint64_t usedBytes = 0;
    std::uint64_t totalBytes = 0;
    MemoryPressure pressure = MemoryPressure::normal;

    static MemoryUsage read(const ProbeRoot& root);
};

// /proc/pressure/memory: critical when all tasks stalled on memory at least 10 % of the
// last 10 s ("full avg10"), warning when some did at least 10 % ("some avg10"); normal
// otherwise, and without pressure information.
MemoryPressure pressureFromPsi(std::string_view psi);

} // namespace zantiva
