#pragma once

// What the kernel says about mounts and loop devices, read under a root prefix ("/" on
// the machine, a fixture tree in tests). Readers never throw: a missing file is empty.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zantiva {

struct MountEntry {
    std::string device;              // "major:minor"
    std::filesystem::path mountPoint;
    std::string source;              // "/dev/loop3", as mounted
};

// The mounts of <root>/proc/self/mountinfo, in its order, read whole however long (a busy
// container host has hundreds of thousands). Absent when it can't be read: then nothing is
// known about what is mounted, which is not the same as nothing being mounted.
std::optional<std::vector<MountEntry>> readMountTable(const std::filesystem::path& root);

// The "major:minor" numbers of every loop device backed by the file (and of its
// partitions), from <root>/sys/block/loop*/loop/backing_file.
std::vector<std::string> allLoopDevicesBackedBy(const std::filesystem::path& root, const std::filesystem::path& image);

// The names ("loop3") of the loop devices backed by the file.
std::vector<std::string> loopDeviceNamesBackedBy(const std::filesystem::path& root, const std::filesystem::path& image);

// The same for one loop device by its name ("loop3"): empty unless it is backed by the file.
std::vector<std::string> namedLoopDeviceIfBackedBy(const std::filesystem::path& root, const std::string& name,
                                                   const std::filesystem::path& image);

// Where one of the devices is mounted: the first such mount of the table.
std::optional<std::filesystem::path> mountPointOf(const std::vector<std::string>& devices,
                                                  const std::vector<MountEntry>& table);

// Whether the path is a mount point of the table.
bool isMountPoint(const std::filesystem::path& path, const std::vector<MountEntry>& table);

} // namespace zantiva
