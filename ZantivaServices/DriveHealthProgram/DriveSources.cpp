#include "DriveHealthProgram/DriveSources.h"

#include <cstdlib>

#include "Probes/SmartctlVerdict.h"

namespace zantiva::DriveSources {

#ifdef ZANTIVA_DRIVE_HEALTH_FIXTURE_FOR_TESTS

ProbeRoot machineRoot() {
    const char* root = std::getenv("ZANTIVA_DRIVE_HEALTH_ROOT");
    return root ? ProbeRoot(root) : ProbeRoot();
}

std::vector<std::string> verdictCommand(const std::filesystem::path& deviceNode) {
    const char* smartctl = std::getenv("ZANTIVA_DRIVE_HEALTH_SMARTCTL");
    if (!smartctl) return DriveHealthReader::smartctlVerdictCommand(deviceNode);
    return {smartctl, "--json", "-H", deviceNode.string()};
}

#else

ProbeRoot machineRoot() { return ProbeRoot(); }

std::vector<std::string> verdictCommand(const std::filesystem::path& deviceNode) {
    return DriveHealthReader::smartctlVerdictCommand(deviceNode);
}

#endif

} // namespace zantiva::DriveSources
