#include "Probes/MemoryModules.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "Model/SpecText.h"
#include "Platform/BoundedProcess.h"
#include "Platform/WholeNumber.h"
#include "Probes/PlaceholderText.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

MemoryModules MemoryModules::parse(std::string_view properties) {
    // Slot number → property name (after MEMORY_DEVICE_<n>_) → value.
    std::map<int, std::map<std::string, std::string>> slots;
    const std::string prefix = "MEMORY_DEVICE_";
    std::istringstream in{std::string(properties)};
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) != 0) continue;
        const auto eq = line.find('=');
        const auto underscore = line.find('_', prefix.size());
        if (eq == std::string::npos || underscore == std::string::npos || underscore > eq) continue;
        auto slot = parseInteger(std::string_view(line).substr(prefix.size(), underscore - prefix.size()));
        if (!slot || *slot < 0) continue;
        const std::string name = line.substr(underscore + 1, eq - underscore - 1);
        slots[static_cast<int>(*slot)][name] = std::string(specText::trimmed(std::string_view(line).substr(eq + 1)));
    }
    MemoryModules modules;
    for (auto& [slot, p] : slots) {
        const auto size = parseInteger(p["SIZE"]).value_or(0);
        if (p["PRESENT"] == "0" || size <= 0) continue;
        ++modules.count;
        if (!modules.type) {
            auto type = knownHardwareText(p["TYPE"]);
            if (type && *type != "Other") modules.type = type;
        }
        if (modules.speedMTs == 0) {
            modules.speedMTs = std::max<std::int64_t>(0, parseInteger(p["CONFIGURED_SPEED_MTS"]).value_or(0));
            if (modules.speedMTs == 0) modules.speedMTs = std::max<std::int64_t>(0, parseInteger(p["SPEED_MTS"]).value_or(0));
        }
    }
    return modules;
}

MemoryModules MemoryModules::read(const std::vector<std::string>& command, std::chrono::milliseconds timeout) {
    auto run = runBoundedProcess(command, timeout, 256 * 1024);
    if (!run || !run->succeeded()) return {};
    return parse(run->output);
}

std::vector<std::string> MemoryModules::defaultCommand() {
    return {"udevadm", "info", "-q", "property", "/sys/class/dmi/id"};
}

} // namespace zantiva
