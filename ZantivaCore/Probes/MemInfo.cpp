#include "Probes/MemInfo.h"

#include <optional>
#include <string>

#include "Platform/ProcTable.h"

namespace zantiva {

MemInfo MemInfo::read(const ProbeRoot& root) {
    std::optional<std::uint64_t> total, available, free, buffers, cached;   // in KiB
    const std::string text = root.bytes("/proc/meminfo").value_or("");
    for (const std::string_view row : procLines(text)) {
        ProcLine line(row);
        const std::string_view key = line.name();
        std::optional<std::uint64_t>* slot = key == "MemTotal:"       ? &total
                                             : key == "MemAvailable:" ? &available
                                             : key == "MemFree:"      ? &free
                                             : key == "Buffers:"      ? &buffers
                                             : key == "Cached:"       ? &cached
                                                                      : nullptr;
        if (!slot) continue;
        if (const auto value = line.nextNumber()) *slot = value;
    }
    MemInfo m;
    m.totalBytes = total.value_or(0) * 1024;
    m.availableBytes = available ? *available * 1024 : (free.value_or(0) + buffers.value_or(0) + cached.value_or(0)) * 1024;
    return m;
}

} // namespace zantiva
