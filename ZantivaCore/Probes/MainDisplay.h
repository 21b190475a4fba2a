#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// The main display from the DRM connectors: a connected built-in panel (eDP, LVDS, DSI)
// when there is one, else the first connected output. Its size and rate are the
// preferred mode of its EDID, or the first mode the kernel lists (rate unknown then).
struct MainDisplay {
    std::string resolution;        // "2560 × 1440"
    std::int64_t refreshRateHz = 0;

    static std::optional<MainDisplay> read(const ProbeRoot& root);
};

} // namespace zantiva
