#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Probes/MemoryHeadroom.h"
#include "WrittenMachine.h"

namespace zantiva {
namespace {

constexpr std::uint64_t mib = 1 << 20;

using testing::version1Mount;
using testing::version2Mount;
using Tree = testing::WrittenMachine;

std::string bytes(std::uint64_t mebibytes) { return std::to_string(mebibytes * mib) + "\n"; }
std::string row(const char* name, std::uint64_t mebibytes) { return name + (" " + bytes(mebibytes)); }

// v2: every level up counts, memory.high as well as memory.max, and file cache the group can
// give back, active or not, isn't counted as used (160 MiB less 60 dirty, under writeback or
// tmpfs). The tightest here is app.slice: 300 − (250 − 100) MiB.
TEST(MemoryHeadroom, TakesTheTightestLimitOfANestedVersion2Group) {
    Tree machine;
    machine.file("/proc/self/cgroup", "0::/user.slice/app.slice/zv.scope\n")
        .file("/proc/self/mountinfo", version2Mount())
        .file("/sys/fs/cgroup/cgroup.controllers", "cpu memory\n")
        .file("/sys/fs/cgroup/user.slice/memory.max", bytes(1024))
        .file("/sys/fs/cgroup/user.slice/memory.current", bytes(400))
        .file("/sys/fs/cgroup/user.slice/app.slice/memory.max", "max\n")
        .file("/sys/fs/cgroup/user.slice/app.slice/memory.high", bytes(300))
        .file("/sys/fs/cgroup/user.slice/app.slice/memory.current", bytes(250))
        .file("/sys/fs/cgroup/user.slice/app.slice/memory.stat",
              "anon 1\n" + row("file", 160) + row("active_file", 150) + row("inactive_file", 10) +
                  row("file_dirty", 40) + row("file_writeback", 10) + row("shmem", 10))
        .file("/sys/fs/cgroup/user.slice/app.slice/zv.scope/memory.max", "max\n")
        .file("/sys/fs/cgroup/user.slice/app.slice/zv.scope/memory.high", "max\n")
        .file("/sys/fs/cgroup/user.slice/app.slice/zv.scope/memory.current", bytes(200));
    EXPECT_EQ(MemoryHeadroom::read(machine.root()).groupBytes, 150 * mib);

    // A group already past its limit has nothing left, not a wrapped-around fortune.
    machine.file("/sys/fs/cgroup/user.slice/app.slice/zv.scope/memory.max", bytes(64))
        .file("/sys/fs/cgroup/user.slice/app.slice/zv.scope/memory.current", bytes(70));
    EXPECT_EQ(MemoryHeadroom::read(machine.root()).groupBytes, 0u);
}

// v1: the memory controller's own line names the group; the root's "unlimited" is a huge number.
// The group's usage counts its subgroups, and so do the "total_" rows of its cache.
TEST(MemoryHeadroom, ReadsTheVersion1MemoryHierarchy) {
    Tree machine;
    machine.file("/proc/self/cgroup", "9:name=systemd:/\n4:cpu,memory:/docker/abc\n1:cpu:/\n0::/\n")
        .file("/proc/self/mountinfo", version1Mount("memory"))
        .file("/sys/fs/cgroup/memory/memory.limit_in_bytes", "9223372036854771712\n")
        .file("/sys/fs/cgroup/memory/memory.usage_in_bytes", bytes(9000))
        .file("/sys/fs/cgroup/memory/docker/abc/memory.limit_in_bytes", bytes(128))
        .file("/sys/fs/cgroup/memory/docker/abc/memory.usage_in_bytes", bytes(20))
        .file("/sys/fs/cgroup/memory/docker/abc/memory.stat",
              "cache 9\ndirty 1\n" + row("total_cache", 8) + row("total_dirty", 2) + row("total_writeback", 1) +
                  row("total_shmem", 1) + row("total_inactive_file", 1));
    EXPECT_EQ(MemoryHeadroom::read(machine.root()).groupBytes, 112 * mib);
}

// A container without a cgroup namespace names its group as the host sees it, while its
// mount shows that group at the top: the missing folders count for nothing and the top holds
// the limit.
TEST(MemoryHeadroom, AGroupPathOutsideTheMountFallsBackToTheMountsTop) {
    Tree machine;
    machine.file("/proc/self/cgroup", "0::/system.slice/docker-abc.scope\n")
        .file("/proc/self/mountinfo", version2Mount())
        .file("/sys/fs/cgroup/memory.max", bytes(256))
        .file("/sys/fs/cgroup/memory.current", bytes(56));
    EXPECT_EQ(MemoryHeadroom::read(machine.root()).groupBytes, 200 * mib);
}

TEST(MemoryHeadroom, TheAddressSpaceLimitLessWhatIsHeldAndTheLeastOfAll) {
    Tree machine;
    machine.file("/proc/meminfo", "MemTotal: 16777216 kB\nMemFree: 1 kB\nMemAvailable: 2097152 kB\n")
        .file("/proc/self/limits", "Limit                     Soft Limit           Hard Limit           Units\n"
                                   "Max stack size            8388608              unlimited            bytes\n"
                                   "Max address space         1073741824           unlimited            bytes\n")
        .file("/proc/self/status", "Name:\tzantiva\nVmPeak:\t 999999 kB\nVmSize:\t  262144 kB\n");
    const MemoryHeadroom headroom = MemoryHeadroom::read(machine.root());
    EXPECT_EQ(headroom.availableBytes, 2048 * mib);
    EXPECT_EQ(headroom.addressSpaceBytes, 768 * mib);
    EXPECT_EQ(headroom.groupBytes, std::nullopt);
    EXPECT_EQ(headroom.freeBytes(), 768 * mib);

    machine.file("/proc/self/limits", "Max address space         unlimited            unlimited            bytes\n");
    EXPECT_EQ(MemoryHeadroom::read(machine.root()).addressSpaceBytes, std::nullopt);
    EXPECT_EQ(MemoryHeadroom::read(machine.root()).freeBytes(), 2048 * mib);
}

// Nothing readable is nothing known, never "no memory free".
TEST(MemoryHeadroom, AnEmptyTreeKnowsNoLimit) {
    const Tree machine;
    EXPECT_EQ(MemoryHeadroom::read(machine.root()).freeBytes(), std::nullopt);
    EXPECT_EQ(MemoryHeadroom::read(ProbeRoot("/nonexistent/zantiva-root")).freeBytes(), std::nullopt);
}

TEST(MemoryHeadroom, ReadsTheRunningMachine) {
    const MemoryHeadroom headroom = MemoryHeadroom::read(ProbeRoot());
    ASSERT_TRUE(headroom.availableBytes);
    EXPECT_GT(*headroom.availableBytes, 0u);
    EXPECT_LE(headroom.freeBytes(), headroom.availableBytes);
}

} // namespace
} // namespace zantiva
