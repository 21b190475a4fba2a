#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "Probes/ProbeRoot.h"

namespace zantiva::DriveSources {

// Where the drive health program reads: this machine ("/"). Its tests' build reads the tree
// named by ZANTIVA_DRIVE_HEALTH_ROOT instead; the installed program never looks there.
ProbeRoot machineRoot();

// The SMART verdict command for a device node: smartctl where it is installed (nothing when
// it isn't). The tests' build runs the stand-in named by ZANTIVA_DRIVE_HEALTH_SMARTCTL.
std::vector<std::string> verdictCommand(const std::filesystem::path& deviceNode);

} // namespace zantiva::DriveSources
