#include "Probes/SMCKey.h"

#include <algorithm>
#include <array>

namespace zantiva {

std::optional<SMCKey> SMCKey::fromText(std::string_view text) {
    if (text.size() != 4) return std::nullopt;
    SMCKey key;
    for (unsigned char byte : text) key.code = (key.code << 8) | byte;
    return key;
}

std::string SMCKey::description() const {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto byte = static_cast<unsigned char>((code >> shift) & 0xFF);
        if (byte > 0x7F) return "????";
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

std::optional<ThermalSensorKind> classifySMCKey(std::string_view key) {
    static constexpr std::array<std::string_view, 5> cpuKeys{"TC0P", "TC0D", "TCXC", "TC0E", "TC0F"};
    static constexpr std::array<std::string_view, 2> gpuKeys{"TG0P", "TG0D"};
    if (key.size() != 4 || key[0] != 'T') return std::nullopt;
    auto listed = [&](const auto& keys) { return std::find(keys.begin(), keys.end(), key) != keys.end(); };
    switch (key[1]) {
    case 'p':
    case 'e':
        return ThermalSensorKind::cpu;
    case 'g':
        return ThermalSensorKind::gpu;
    case 'f':
        if (key[2] == '0' || key[2] == '4') return ThermalSensorKind::cpu;
        if (key[2] == '1' || key[2] == '2') return ThermalSensorKind::gpu;
        return std::nullopt;
    case 'C':
        return listed(cpuKeys) ? std::optional(ThermalSensorKind::cpu) : std::nullopt;
    case 'G':
        return listed(gpuKeys) ? std::optional(ThermalSensorKind::gpu) : std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace zantiva
