#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zantiva {

// One line of a process's mountinfo.
struct MountInfoEntry {
    std::string device;                 // "major:minor"
    // The folder of the file system that shows at the mount point: "/" for the whole of it, the
    // bound folder for a bind mount, and for a cgroup hierarchy the group at the top, as seen
    // from the reader's cgroup namespace ("/../.." for a mount two levels above its root).
    std::filesystem::path root;
    std::filesystem::path mountPoint;
    std::string type;                   // "ext4", "cgroup2"
    std::string source;                 // "/dev/loop3", as mounted
    std::string superOptions;           // "rw,memory": a v1 cgroup mount's controllers are among them
};

// The lines of /proc/<pid>/mountinfo text, in order, with the paths' octal escapes ("\040")
// undone; a line short of its fields is passed over.
std::vector<MountInfoEntry> parseMountInfo(std::string_view text);

// Whether a comma-separated list ("rw,cpu,cpuacct") holds the word.
bool listHolds(std::string_view commaList, std::string_view word);

} // namespace zantiva
