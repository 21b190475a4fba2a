#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "Probes/ControlGroup.h"
#include "WrittenMachine.h"

namespace zantiva {
namespace {

using testing::version1Mount;
using testing::version2Mount;
using testing::WrittenMachine;

// Each hierarchy's memory group found, as "v1: /its/group /and /up /to /the/top".
std::vector<std::string> found(const WrittenMachine& machine) {
    std::vector<std::string> lines;
    for (const ControlGroupFolders& hierarchy : controlGroupFolders(machine.root(), "memory")) {
        std::string line = "v" + std::to_string(hierarchy.version) + ":";
        for (const auto& folder : hierarchy.folders) line += " " + folder.string();
        lines.push_back(line);
    }
    return lines;
}

// Outside a cgroup namespace a group's path is read from the top of its mount: a container's
// bind mount shows its group there, and a group elsewhere isn't under it. A hybrid machine has
// one in each hierarchy, the unified one wherever it is mounted and however mountinfo escapes
// its point. Nothing to go on, or a path with a ".." inside, is no group.
TEST(ControlGroup, AGroupPathIsReadFromTheTopOfItsMount) {
    const std::string container = version1Mount("memory", "/docker/abc");
    const std::string hybrid = "25 1 0:21 / /sys/fs/cgroup rw - tmpfs tmpfs rw\n" +
                               version2Mount("/", "/sys/fs/cgroup/uni\\040fied") + version1Mount("memory");
    const std::tuple<std::string, std::string, std::vector<std::string>> cases[] = {
        {container, "5:memory:/docker/abc/job\n", {"v1: /sys/fs/cgroup/memory/job /sys/fs/cgroup/memory"}},
        {container, "5:memory:/docker/xyz\n5:memory:/docker\n", {}},
        {hybrid, "9:name=systemd:/user.slice\n4:memory:/user.slice\n0::/user.slice/a.scope\n",
         {"v1: /sys/fs/cgroup/memory/user.slice /sys/fs/cgroup/memory",
          "v2: /sys/fs/cgroup/uni fied/user.slice/a.scope /sys/fs/cgroup/uni fied/user.slice /sys/fs/cgroup/uni fied"}},
        {"", "", {}},
        {version2Mount(), "0::/a/../../../etc\n", {}},
        {version2Mount(), "0::relative\ngarbage\n0:/\n", {}},
        {"30 23 0:26 / /sys/fs/cgroup\n", "0::/\n", {}},   // a mount without its type
    };
    for (const auto& [mountinfo, groups, expected] : cases) {
        WrittenMachine machine;
        machine.file("/proc/self/mountinfo", mountinfo).file("/proc/self/cgroup", groups);
        EXPECT_EQ(found(machine), expected) << mountinfo << groups;
    }
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
        .file("/sys/fs/cgroup/a/b/job/cgroup.procs", "17\n")
        .file("/sys/fs/cgroup/a/c/job/cgroup.procs", "4242\n");
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

} // namespace
} // namespace zantiva
