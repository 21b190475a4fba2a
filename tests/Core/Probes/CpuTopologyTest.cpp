#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Probes/CpuTopology.h"
#include "../../Support/TemporaryFolder.h"

namespace zantiva {
namespace {

// A small CPU tree written on the spot: what varies here is only the topology.
struct CpuTree {
    void write(const std::string& systemPath, const std::string& text) const {
        const auto path = folder.path() / std::filesystem::path(systemPath).relative_path();
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text << '\n';
    }
    void cpu(int n, int core, int capacity) const {
        const std::string base = "/sys/devices/system/cpu/cpu" + std::to_string(n);
        write(base + "/topology/core_id", std::to_string(core));
        write(base + "/topology/physical_package_id", "0");
        write(base + "/cpu_capacity", std::to_string(capacity));
    }
    testing::TemporaryFolder folder;
};

TEST(CpuTopology, ArmCapacityLevelsBecomeClustersFastestFirst) {
    CpuTree tree;
    tree.write("/sys/devices/system/cpu/online", "0-7");
    // A phone-style 1 + 3 + 4 layout, listed little cores first as the kernel numbers them.
    for (int n = 0; n < 4; ++n) tree.cpu(n, n, 446);
    for (int n = 4; n < 7; ++n) tree.cpu(n, n, 871);
    tree.cpu(7, 7, 1024);
    const auto t = CpuTopology::read(ProbeRoot(tree.folder.path()));
    EXPECT_EQ(t.clusters, (std::vector<CoreCluster>{{"Performance", 1}, {"Level 1", 3}, {"Efficiency", 4}}));
    EXPECT_EQ(t.cores, 8);
    EXPECT_EQ(t.threads, 8);
    EXPECT_FALSE(t.name);   // ARM kernels give no brand name
}

TEST(CpuTopology, OfflineCpusCountNeitherAsThreadsNorInClusters) {
    CpuTree tree;
    tree.write("/sys/devices/system/cpu/online", "0-3,5");
    tree.write("/sys/devices/cpu_core/cpus", "0-3");
    tree.write("/sys/devices/cpu_atom/cpus", "4-7");
    for (int n = 0; n < 4; ++n) tree.cpu(n, n / 2, 1024);   // two cores, two threads each
    for (int n = 4; n < 8; ++n) tree.cpu(n, n, 600);
    const auto t = CpuTopology::read(ProbeRoot(tree.folder.path()));
    EXPECT_EQ(t.threads, 5);
    EXPECT_EQ(t.cores, 3);
    EXPECT_EQ(t.clusters, (std::vector<CoreCluster>{{"Performance", 2}, {"Efficiency", 1}}));
}

TEST(CpuTopology, OneLevelGivesNoClustersAndTheFastestCpuGivesTheClock) {
    CpuTree tree;
    tree.write("/sys/devices/system/cpu/online", "0-1");
    tree.cpu(0, 0, 1024);
    tree.cpu(1, 1, 1024);
    tree.write("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "3600000");
    tree.write("/sys/devices/system/cpu/cpu1/cpufreq/cpuinfo_max_freq", "4200000");
    tree.write("/proc/cpuinfo", "processor\t: 0\nmodel name\t: Default string\n\nprocessor\t: 1\n");
    const auto t = CpuTopology::read(ProbeRoot(tree.folder.path()));
    EXPECT_TRUE(t.clusters.empty());
    EXPECT_DOUBLE_EQ(t.maxClockGHz, 4.2);
    EXPECT_FALSE(t.name);   // a placeholder names nothing
}

} // namespace
} // namespace zantiva
