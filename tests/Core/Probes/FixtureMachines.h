#pragma once

// The captured machine trees under tests/fixtures, and how to reach them.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Probes/ProbeRoot.h"
#include "Probes/SystemProbe.h"
#include "../../Support/TemporaryFolder.h"

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

// A writable copy of a machine, for readings that change between samples. The memory
// blocks (hundreds of folders that no sampler reads) stay behind.
class MachineCopy {
public:
    explicit MachineCopy(const std::string& machine) {
        namespace fs = std::filesystem;
        const fs::path from = fixtureMachine(machine);
        for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator(); ++it) {
            const fs::path inside = it->path().lexically_relative(from);
            if (inside == "sys/devices/system/memory") {
                it.disable_recursion_pending();
                continue;
            }
            const fs::path to = folder_.path() / inside;
            if (it->is_symlink()) fs::copy_symlink(it->path(), to);
            else if (it->is_directory()) fs::create_directories(to);
            else fs::copy_file(it->path(), to);
        }
    }
    // Overwrites a file given by its path on the real machine.
    void write(const std::string& systemPath, const std::string& text) const {
        std::ofstream(folder_.path() / std::filesystem::path(systemPath).relative_path()) << text;
    }
    ProbeRoot root() const { return ProbeRoot(folder_.path()); }

private:
    TemporaryFolder folder_;
};

} // namespace zantiva::testing
