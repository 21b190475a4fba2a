#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// The folders of this process's control group in one cgroup hierarchy, as real-machine paths:
// the group's own first, then each group above it up to the top of the hierarchy's mount.
// A limit set in any of them holds for the process.
struct ControlGroupFolders {
    int version = 2;   // 2: the unified hierarchy; 1: the hierarchy of a v1 controller
    std::vector<std::filesystem::path> folders;
};

// The v2 hierarchy and the v1 hierarchy of the controller ("memory", "cpu"), where they are
// mounted, found through /proc/self/cgroup and /proc/self/mountinfo. A group's path is read
// against the root of its hierarchy's mount: in a cgroup namespace both are relative to the
// namespace's group, and a mount made outside it (unshare -C) shows its top as "/../..".
// The steps between that top and the namespace are named nowhere: the group is the one at
// that depth that holds this process, and when none does, only the folders above that the
// paths name are known. A group the mount doesn't show (one outside the namespace, "/../x",
// under a mount of the namespace's own) has no folders: no path ever leaves the mount.
std::vector<ControlGroupFolders> controlGroupFolders(const ProbeRoot& root, std::string_view controller);

} // namespace zantiva
