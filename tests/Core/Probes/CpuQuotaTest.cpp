#include <gtest/gtest.h>

#include "Probes/CpuQuota.h"
#include "WrittenMachine.h"

namespace zantiva {
namespace {

using testing::version1Mount;
using testing::version2Mount;
using testing::WrittenMachine;

// Every level up counts and the least wins (a slice's CPUQuota=150% over a scope without one),
// in each hierarchy a hybrid machine has.
TEST(CpuQuota, TheLeastQuotaOfTheGroupAndEveryGroupAbove) {
    WrittenMachine machine;
    machine.file("/proc/self/mountinfo", version2Mount() + version1Mount("cpu,cpuacct"))
        .file("/proc/self/cgroup", "0::/user.slice/app.slice/zv.scope\n")
        .file("/sys/fs/cgroup/user.slice/cpu.max", "400000 100000\n")
        .file("/sys/fs/cgroup/user.slice/app.slice/cpu.max", "150000 100000\n")
        .file("/sys/fs/cgroup/user.slice/app.slice/zv.scope/cpu.max", "max 100000\n");
    EXPECT_EQ(readCpuQuota(machine.root()), 1.5);

    // A container's --cpus=2 in v1 (period 50 ms); its top "-1" sets none.
    machine.file("/proc/self/cgroup", "3:cpu,cpuacct:/docker/abc\n0::/\n")
        .file("/sys/fs/cgroup/cpu,cpuacct/cpu.cfs_quota_us", "-1\n")
        .file("/sys/fs/cgroup/cpu,cpuacct/cpu.cfs_period_us", "100000\n")
        .file("/sys/fs/cgroup/cpu,cpuacct/docker/abc/cpu.cfs_quota_us", "100000\n")
        .file("/sys/fs/cgroup/cpu,cpuacct/docker/abc/cpu.cfs_period_us", "50000\n");
    EXPECT_EQ(readCpuQuota(machine.root()), 2.0);

    machine.file("/sys/fs/cgroup/cpu.max", "25000 100000\n");
    EXPECT_EQ(readCpuQuota(machine.root()), 0.25) << "the v2 top's, below the v1 group's";
}

// A quota that can't be read is none: never none of the machine, nor an endless one.
TEST(CpuQuota, NoneSetOrUnreadableIsAbsent) {
    WrittenMachine machine;
    machine.file("/proc/self/mountinfo", version2Mount())
        .file("/proc/self/cgroup", "0::/a\n")
        .file("/sys/fs/cgroup/cpu.max", "abc 100000\n")
        .file("/sys/fs/cgroup/a/cpu.max", "200000 0\n");
    EXPECT_EQ(readCpuQuota(machine.root()), std::nullopt);
}

} // namespace
} // namespace zantiva
