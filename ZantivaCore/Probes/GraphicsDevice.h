#pragma once

#include <optional>
#include <string>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// The primary graphics device from the DRM cards: the one the firmware booted on
// (boot_vga), else the first. Its name comes from the PCI ID database when the machine
// has one; the renderer's own name, where a GPU context exists, is better and may
// replace it.
struct GraphicsDevice {
    std::optional<std::string> name;
    std::string driver;
    double memoryGB = 0;          // dedicated video memory (2^30 bytes); 0 when shared or unknown
    bool unifiedMemory = false;   // integrated graphics using main memory

    static std::optional<GraphicsDevice> read(const ProbeRoot& root);
};

} // namespace zantiva
