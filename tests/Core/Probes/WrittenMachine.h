#pragma once

// A machine tree written file by file on the spot, each file given by its path on a real
// machine: for readers whose cases differ in a few files.

#include <filesystem>
#include <string>

#include "Probes/ProbeRoot.h"
#include "../../Support/TemporaryFolder.h"

namespace zantiva::testing {

class WrittenMachine {
public:
    const WrittenMachine& file(const std::string& systemPath, const std::string& text) const {
        const auto at = folder_ / std::filesystem::path(systemPath).relative_path();
        std::filesystem::create_directories(at.parent_path());
        writeRaw(at, text);
        return *this;
    }
    ProbeRoot root() const { return ProbeRoot(folder_.path()); }

private:
    TemporaryFolder folder_;
};

// mountinfo lines of the cgroup hierarchies, each with the group at the top of its mount.
inline std::string version2Mount(const std::string& top = "/", const std::string& at = "/sys/fs/cgroup") {
    return "30 23 0:26 " + top + " " + at + " rw,nosuid,nodev,noexec,relatime shared:4 - cgroup2 cgroup2 rw\n";
}
inline std::string version1Mount(const std::string& controllers, const std::string& top = "/") {
    return "35 31 0:32 " + top + " /sys/fs/cgroup/" + controllers + " rw,nosuid,nodev,noexec,relatime shared:9 - cgroup cgroup rw," +
           controllers + "\n";
}

} // namespace zantiva::testing
