#pragma once

#include <optional>
#include <string>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// The graphics device the GPU benchmark runs on, by the same preference (a discrete GPU
// before an integrated one, see GraphicsCard::preferred). Its name comes from the PCI ID database when the machine
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
