#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "Model/SystemSpecs.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// Where the probe looks and which tool it asks for the memory modules.
struct ProbeOptions {
    ProbeRoot root;
    std::vector<std::string> memoryPropertiesCommand;   // empty: the udevadm query
    std::chrono::milliseconds toolTimeout{5000};
};

// Describes the machine once. Blocks while the udev query runs (bounded); never throws:
// what cannot be read stays "Unknown" or 0.
namespace SystemProbe {
SystemSpecs readSpecs(const ProbeOptions& options = {});
}

} // namespace zantiva
