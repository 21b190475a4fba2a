#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Probes/MemoryHeadroom.h"
#include "../../Support/TemporaryFolder.h"

namespace zantiva {
namespace {

constexpr std::uint64_t mib = 1 << 20;

// A machine tree written file by file, given by the files' paths on a real machine.
class Tree {
public:
    const Tree& file(const std::string& systemPath, const std::string& text) const {
        const auto at = folder_ / std::filesystem::path(systemPath).relative_path();
        std::filesystem::create_directories(at.parent_path());
        testing::writeRaw(at, text);
        return *this;
    }
    ProbeRoot root() const { return ProbeRoot(folder_.path()); }

private:
    testing::TemporaryFolder folder_;
};

std::string bytes(std::uint64_t mebibytes) { return std::to_string(mebibytes * mib) + "\n"; }

// v2: every level up counts, memory.high as well as memory.max, and file cache the group can
// give back isn't counted as used. The tightest here is app.slice: 300 − (250 − 100) MiB.
TEST(MemoryHeadroom, TakesTheTightestLimitOfANestedVersion2Group) {
    Tree machine;
    machine.file("/proc/self/cgroup", "0::/user.slice/app.slice/zv.scope\n")
        .file("/sys/fs/cgroup/cgroup.controllers", "cpu memory\n")
        .file("/sys/fs/cgroup/user.slice/memory.max", bytes(1024))
        .file("/sys/fs/cgroup/user.slice/memory.current", bytes(400))
        .file("/sys/fs/cgroup/user.slice/app.slice/memory.max", "max\n")
        .file("/sys/fs/cgroup/user.slice/app.slice/memory.high", bytes(300))
        .file("/sys/fs/cgroup/user.slice/app.slice/memory.current", bytes(250))
        .file("/sys/fs/cgroup/user.slice/app.slice/memory.stat",
              "anon 1\nfile 2\nactive_file 7\ninactive_file " + std::to_string(100 * mib) + "\n")
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
TEST(MemoryHeadroom, ReadsTheVersion1MemoryHierarchy) {
    Tree machine;
    machine.file("/proc/self/cgroup", "9:name=systemd:/\n4:cpu,memory:/docker/abc\n1:cpu:/\n0::/\n")
        .file("/sys/fs/cgroup/memory/memory.limit_in_bytes", "9223372036854771712\n")
        .file("/sys/fs/cgroup/memory/memory.usage_in_bytes", bytes(9000))
        .file("/sys/fs/cgroup/memory/docker/abc/memory.limit_in_bytes", bytes(128))
        .file("/sys/fs/cgroup/memory/docker/abc/memory.usage_in_bytes", bytes(20))
        .file("/sys/fs/cgroup/memory/docker/abc/memory.stat",
              "cache 9\ninactive_file 1\ntotal_inactive_file " + std::to_string(4 * mib) + "\n");
    EXPECT_EQ(MemoryHeadroom::read(machine.root()).groupBytes, 112 * mib);
}

// A container without a cgroup namespace names its group as the host sees it, while its
// mount shows that group at the top: the missing folders count for nothing and the top holds
// the limit.
TEST(MemoryHeadroom, AGroupPathOutsideTheMountFallsBackToTheMountsTop) {
    Tree machine;
    machine.file("/proc/self/cgroup", "0::/system.slice/docker-abc.scope\n")
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
