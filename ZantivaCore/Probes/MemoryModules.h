#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zantiva {

// The memory modules as udev reads them from the firmware's tables
// (`udevadm info -q property /sys/class/dmi/id`: MEMORY_DEVICE_<n>_… properties), so
// that no privileged tool is needed.
struct MemoryModules {
    std::optional<std::string> type;   // technology of the first installed module that names one
    std::int64_t speedMTs = 0;         // configured transfer rate, else the rated one (MT/s)
    std::int64_t count = 0;            // installed modules; empty slots are left out

    static MemoryModules parse(std::string_view properties);

    // The udevadm run (bounded by timeout); an empty value when the tool is missing,
    // fails or hangs.
    static MemoryModules read(const std::vector<std::string>& command, std::chrono::milliseconds timeout);
    static std::vector<std::string> defaultCommand();
};

} // namespace zantiva
