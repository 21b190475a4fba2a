#pragma once

// The captured machine trees under tests/fixtures, and how to reach them.

#include <filesystem>
#include <string>
#include <vector>

#include "Probes/ProbeRoot.h"
#include "Probes/SystemProbe.h"

namespace zantiva::testing {

inline std::filesystem::path fixtureMachine(const std::string& machine) {
    return std::filesystem::path(ZANTIVA_FIXTURES) / machine;
}

// The probe on a fixture tree; the udev query is the tree's captured output, printed by
// cat so the bounded child-process path runs as in production.
inline ProbeOptions fixtureProbe(const std::string& machine) {
    ProbeOptions options;
    options.root = ProbeRoot(fixtureMachine(machine));
    const auto captured = fixtureMachine(machine) / "tools/udevadm-dmi.txt";
    options.memoryPropertiesCommand = {"cat", captured.string()};
    return options;
}

} // namespace zantiva::testing
