#include "Probes/Edid.h"

#include <cstdint>

namespace zantiva {

std::optional<EdidTiming> EdidTiming::parse(std::string_view edid) {
    static constexpr unsigned char header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    if (edid.size() < 128) return std::nullopt;
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(edid[i]); };
    for (std::size_t i = 0; i < 8; ++i)
        if (byte(i) != header[i]) return std::nullopt;
    const std::size_t d = 54;   // first detailed timing descriptor: the preferred mode
    const unsigned clock10kHz = byte(d) | (byte(d + 1) << 8);
    if (clock10kHz == 0) return std::nullopt;   // a display descriptor, not a timing
    const int hActive = byte(d + 2) | ((byte(d + 4) & 0xF0) << 4);
    const int hBlank = byte(d + 3) | ((byte(d + 4) & 0x0F) << 8);
    const int vActive = byte(d + 5) | ((byte(d + 7) & 0xF0) << 4);
    const int vBlank = byte(d + 6) | ((byte(d + 7) & 0x0F) << 8);
    if (hActive == 0 || vActive == 0) return std::nullopt;
    // An interlaced timing describes one field. A frame is two fields and, as the kernel
    // counts it, one line more in total (1125 for 1080i); the rate stays in fields a second.
    const bool interlaced = (byte(d + 17) & 0x80) != 0;
    const double frameTotal = interlaced ? 2.0 * (vActive + vBlank) + 1 : vActive + vBlank;
    EdidTiming t;
    t.width = hActive;
    t.height = interlaced ? 2 * vActive : vActive;
    t.refreshHz = static_cast<double>(clock10kHz) * 10'000.0 * (interlaced ? 2 : 1)
                  / (static_cast<double>(hActive + hBlank) * frameTotal);
    return t;
}

} // namespace zantiva
