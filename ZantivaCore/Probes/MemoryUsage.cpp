#include "Probes/MemoryUsage.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <sstream>
#include <string>

#include "Probes/MemInfo.h"

namespace zantiva {

namespace {

std::optional<double> average10(std::string_view psi, std::string_view kind) {
    std::istringstream in{std::string(psi)};
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string first, avg10;
        fields >> first >> avg10;
        if (first != kind || avg10.rfind("avg10=", 0) != 0) continue;
        // from_chars reads the point whatever the C locale says.
        double value = 0;
        const char* digits = avg10.data() + 6;
        const char* last = avg10.data() + avg10.size();
        const auto [end, ec] = std::from_chars(digits, last, value);
        if (ec != std::errc() || end != last) return std::nullopt;
        return value;
    }
    return std::nullopt;
}

} // namespace

MemoryPressure pressureFromPsi(std::string_view psi) {
    if (average10(psi, "full").value_or(0) >= 10.0) return MemoryPressure::critical;
    if (average10(psi, "some").value_or(0) >= 10.0) return MemoryPressure::warning;
    return MemoryPressure::normal;
}

MemoryUsage MemoryUsage::read(const ProbeRoot& root) {
    const MemInfo info = MemInfo::read(root);
    MemoryUsage usage;
    usage.totalBytes = info.totalBytes;
    usage.usedBytes = info.totalBytes - std::min(info.totalBytes, info.availableBytes);
    usage.pressure = pressureFromPsi(root.bytes("/proc/pressure/memory").value_or(""));
    return usage;
}

} // namespace zantiva
