#pragma once

// A memory cgroup of its own with a hard limit, made under this process's own group (v2 where
// the group hands the memory controller down, else the v1 memory hierarchy) and removed at the
// end, once the processes put in it have ended. Making one needs root or a delegated group;
// without it `made()` is false and the test skips.

#include <sys/types.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace zantiva::testing {

class MemoryCgroup {
public:
    explicit MemoryCgroup(std::uint64_t limitBytes) {
        const std::string name = "zantiva-test-" + std::to_string(::getpid());
        std::ifstream groups("/proc/self/cgroup");
        std::string v2, v1;
        for (std::string line; std::getline(groups, line);) {
            if (line.starts_with("0::")) v2 = line.substr(3);
            else if (const auto at = line.find(":memory:"); at != std::string::npos) v1 = line.substr(at + 8);
        }
        if (!v2.empty() && make(std::filesystem::path("/sys/fs/cgroup") / v2.substr(1) / name, "memory.max", limitBytes))
            return;
        if (!v1.empty()) make(std::filesystem::path("/sys/fs/cgroup/memory") / v1.substr(1) / name,
                              "memory.limit_in_bytes", limitBytes);
    }
    MemoryCgroup(const MemoryCgroup&) = delete;
    MemoryCgroup& operator=(const MemoryCgroup&) = delete;
    ~MemoryCgroup() {
        if (!folder_.empty()) ::rmdir(folder_.c_str());
    }

    bool made() const { return !folder_.empty(); }
    // Moves the calling process into the group.
    bool enter() const { return static_cast<bool>(std::ofstream(folder_ / "cgroup.procs") << ::getpid() << std::flush); }

private:
    bool make(const std::filesystem::path& folder, const char* limitFile, std::uint64_t limitBytes) {
        std::error_code ec;
        if (!std::filesystem::create_directory(folder, ec)) return false;
        // Where the group doesn't get the memory controller, the limit file isn't there.
        if (std::filesystem::exists(folder / limitFile) && std::ofstream(folder / limitFile) << limitBytes << std::flush) {
            folder_ = folder;
            return true;
        }
        ::rmdir(folder.c_str());
        return false;
    }

    std::filesystem::path folder_;
};

} // namespace zantiva::testing
