#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Probes/ControlGroup.h"
#include "WrittenMachine.h"

namespace zantiva {
namespace {

using testing::version1Mount;
using testing::version2Mount;
using testing::WrittenMachine;

// Each hierarchy found, as "v1: /its/group /and /up /to /the/top".
std::vector<std::string> found(const WrittenMachine& machine, const char* controller = "memory") {
    std::vector<std::string> lines;
    for (const ControlGroupFolders& hierarchy : controlGroupFolders(machine.root(), controller)) {
        std::string line = "v" + std::to_string(hierarchy.version) + ":";
        for (const auto& folder : hierarchy.folders) line += " " + folder.string();
        lines.push_back(line);
    }
    return lines;
}

// A mount with a group at its top (a container's bind mount without a cgroup namespace) maps
// the group's path from that top; a group elsewhere in the hierarchy isn't under this mount.
TEST(ControlGroup, AGroupPathIsReadFromTheTopOfItsMount) {
    WrittenMachine machine;
    machine.file("/proc/self/mountinfo", version1Mount("cpu,cpuacct", "/docker/abc") + version1Mount("memory", "/docker/abc"))
        .file("/proc/self/cgroup", "5:memory:/docker/abc\n4:cpu,cpuacct:/docker/abc/job\n");
    EXPECT_EQ(found(machine), std::vector<std::string>{"v1: /sys/fs/cgroup/memory"});
    EXPECT_EQ(found(machine, "cpu"),
              std::vector<std::string>{"v1: /sys/fs/cgroup/cpu,cpuacct/job /sys/fs/cgroup/cpu,cpuacct"});
    EXPECT_TRUE(found(machine, "cpuacct").size() == 1 && found(machine, "pids").empty());

    machine.file("/proc/self/cgroup", "5:memory:/docker/xyz\n5:memory:/docker\n");
    EXPECT_EQ(found(machine), std::vector<std::string>{});
}

// Both hierarchies of a hybrid machine, the unified one wherever it is mounted, and a mount
// point written with mountinfo's escapes.
TEST(ControlGroup, AHybridMachineHasAGroupInEachHierarchy) {
    WrittenMachine machine;
    machine.file("/proc/self/mountinfo", "25 1 0:21 / /sys/fs/cgroup rw - tmpfs tmpfs rw\n" +
                                             version2Mount("/", "/sys/fs/cgroup/uni\\040fied") + version1Mount("memory"))
        .file("/proc/self/cgroup", "9:name=systemd:/user.slice\n4:memory:/user.slice\n0::/user.slice/a.scope\n");
    EXPECT_EQ(found(machine), (std::vector<std::string>{"v1: /sys/fs/cgroup/memory/user.slice /sys/fs/cgroup/memory",
                                                        "v2: /sys/fs/cgroup/uni fied/user.slice/a.scope "
                                                        "/sys/fs/cgroup/uni fied/user.slice /sys/fs/cgroup/uni fied"}));
}

// In a cgroup namespace, paths are the namespace's: a mount made inside it has the namespace's
// group at its top; one made outside shows its top as so many levels up ("/../.."), whose
// names nothing tells: the group is the one at that depth that holds this process.
TEST(ControlGroup, InACgroupNamespaceTheGroupIsFoundUnderTheMountWithoutLeavingIt) {
    WrittenMachine machine;
    machine.file("/proc/self/status", "Name:\tzv\nPid:\t4242\n")
        .file("/proc/self/mountinfo", version2Mount("/../.."))
        .file("/proc/self/cgroup", "0::/job\n")
        .file("/sys/fs/cgroup/cgroup.procs", "1\n4242\n")
        .file("/sys/fs/cgroup/a/b/cgroup.procs", "")
        .file("/sys/fs/cgroup/a/b/job/cgroup.procs", "17\n")
        .file("/sys/fs/cgroup/a/c/job/cgroup.procs", "4242\n")
        .file("/sys/fs/cgroup/a/memory.max", "max\n");
    EXPECT_EQ(found(machine), std::vector<std::string>{
                                  "v2: /sys/fs/cgroup/a/c/job /sys/fs/cgroup/a/c /sys/fs/cgroup/a /sys/fs/cgroup"});

    // Nowhere found: only the mount's top is surely above the group.
    machine.file("/sys/fs/cgroup/a/c/job/cgroup.procs", "4243\n");
    EXPECT_EQ(found(machine), std::vector<std::string>{"v2: /sys/fs/cgroup"});

    // A group outside the namespace ("/../x", one level up): under a mount one level up it is
    // named; under a mount of the namespace's own group, it isn't there at all.
    machine.file("/proc/self/cgroup", "0::/../x\n").file("/proc/self/mountinfo", version2Mount("/.."));
    EXPECT_EQ(found(machine), std::vector<std::string>{"v2: /sys/fs/cgroup/x /sys/fs/cgroup"});
    machine.file("/proc/self/mountinfo", version2Mount("/"));
    EXPECT_EQ(found(machine), std::vector<std::string>{});
    machine.file("/proc/self/mountinfo", version2Mount("/../../a")).file("/proc/self/cgroup", "0::/../y\n");
    EXPECT_EQ(found(machine), std::vector<std::string>{}) << "whether the step above is a, nothing tells";
    machine.file("/sys/fs/cgroup/y/cgroup.procs", "4242\n");
    EXPECT_EQ(found(machine), std::vector<std::string>{"v2: /sys/fs/cgroup/y /sys/fs/cgroup"});
}

// Nothing to go on is no group; a path with a ".." inside is never followed.
TEST(ControlGroup, UnreadableOrStrayPathsGiveNoFolders) {
    WrittenMachine machine;
    EXPECT_EQ(found(machine), std::vector<std::string>{});
    machine.file("/proc/self/mountinfo", version2Mount()).file("/proc/self/cgroup", "0::/a/../../../etc\n");
    EXPECT_EQ(found(machine), std::vector<std::string>{});
    machine.file("/proc/self/cgroup", "0::relative\ngarbage\n0:/\n");
    EXPECT_EQ(found(machine), std::vector<std::string>{});
    machine.file("/proc/self/mountinfo", "30 23 0:26 / /sys/fs/cgroup\n").file("/proc/self/cgroup", "0::/\n");
    EXPECT_EQ(found(machine), std::vector<std::string>{}) << "a line without its type";
}

} // namespace
} // namespace zantiva
