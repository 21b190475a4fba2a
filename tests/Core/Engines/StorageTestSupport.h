#pragma once

// Shared by the storage tests: temporary folders on a disk file system (the engine refuses
// memory-backed ones such as a tmpfs /tmp), and what the engine may have left in them.

#include <sys/vfs.h>
#include <linux/magic.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../../Support/TemporaryFolder.h"

namespace zantiva::testing {

inline bool isMemoryBacked(const std::filesystem::path& folder) {
    struct statfs fs {};
    return ::statfs(folder.c_str(), &fs) == 0 && (fs.f_type == TMPFS_MAGIC || fs.f_type == RAMFS_MAGIC);
}

// Points TemporaryFolder at a disk: the system's temporary folder, else /var/tmp, else the
// working folder (the build tree when ctest runs the test).
inline void useDiskForTemporaryFolders() {
    for (const std::filesystem::path& candidate :
         {std::filesystem::temp_directory_path(), std::filesystem::path("/var/tmp"), std::filesystem::current_path()}) {
        if (std::filesystem::is_directory(candidate) && !isMemoryBacked(candidate)) {
            ::setenv("TMPDIR", candidate.c_str(), 1);
            return;
        }
    }
}

// Names in the folder that the storage engine's test files carry.
inline std::vector<std::string> leftoverTestFiles(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".zantiva-ssd-test-")) names.push_back(name);
    }
    return names;
}

} // namespace zantiva::testing
