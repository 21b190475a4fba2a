#pragma once

// A cgroup of its own for one controller, made under this process's own group (v2 where the
// group hands the controller down, else the controller's v1 hierarchy) with the settings
// given, and removed at the end, once the processes put in it have ended. Making one needs
// root or a delegated group; without it `made()` is false and the test skips.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "ChildEnd.h"

namespace zantiva::testing {

class ScratchCgroup {
public:
    using Settings = std::vector<std::pair<std::string, std::string>>;   // file, value; the first must exist

    ScratchCgroup(const std::string& controller, const Settings& version2, const Settings& version1) {
        const std::string name = "zantiva-test-" + std::to_string(::getpid());
        std::ifstream groups("/proc/self/cgroup");
        std::string v2, v1;
        for (std::string line; std::getline(groups, line);) {
            // "4:cpu,cpuacct:/its/group"
            const auto first = line.find(':'), second = line.find(':', first + 1);
            const std::string controllers = "," + line.substr(first + 1, second - first - 1) + ",";
            if (line.starts_with("0::")) v2 = line.substr(3);
            else if (controllers.find("," + controller + ",") != std::string::npos) v1 = line.substr(second + 1);
        }
        if (!v2.empty() && make(std::filesystem::path("/sys/fs/cgroup") / v2.substr(1) / name, version2)) return;
        if (!v1.empty()) make(std::filesystem::path("/sys/fs/cgroup") / controller / v1.substr(1) / name, version1);
    }
    ScratchCgroup(const ScratchCgroup&) = delete;
    ScratchCgroup& operator=(const ScratchCgroup&) = delete;
    ~ScratchCgroup() {
        if (!folder_.empty()) ::rmdir(folder_.c_str());
    }

    bool made() const { return !folder_.empty(); }

    // How `body` ended (endOfChild's words) in a child moved into the group; "exit 3" when it
    // couldn't be moved.
    std::string endOfChildInside(const std::function<int()>& body) const {
        return endOfChild([&] {
            const bool entered(std::ofstream(folder_ / "cgroup.procs") << ::getpid() << std::flush);
            return entered ? body() : 3;
        });
    }

private:
    bool make(const std::filesystem::path& folder, const Settings& settings) {
        std::error_code ec;
        if (!std::filesystem::create_directory(folder, ec)) return false;
        // Where the group doesn't get the controller, its files aren't there.
        bool set = std::filesystem::exists(folder / settings.front().first);
        for (const auto& [file, value] : settings) set = set && std::ofstream(folder / file) << value << std::flush;
        if (set) folder_ = folder;
        else ::rmdir(folder.c_str());
        return set;
    }

    std::filesystem::path folder_;
};

// A memory group with a hard limit.
struct MemoryCgroup : ScratchCgroup {
    explicit MemoryCgroup(std::uint64_t limitBytes)
        : ScratchCgroup("memory", {{"memory.max", std::to_string(limitBytes)}},
                        {{"memory.limit_in_bytes", std::to_string(limitBytes)}}) {}
};

} // namespace zantiva::testing
