#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FixtureMachines.h"
#include "Probes/CpuTopology.h"

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

struct ExpectedCpu {
    std::string machine;
    std::optional<std::string> name;
    std::int64_t cores;
    std::int64_t threads;
    std::vector<CoreCluster> clusters;
};

// Each architecture names its processor in its own words, and numbers cores its own way.
TEST(CpuTopology, ReadsTheNameAndCountsTheCoresOfEveryArchitecture) {
    const std::vector<ExpectedCpu> machines{
        {"amd-desktop", "AMD Ryzen 7 5800X 8-Core Processor", 8, 16, {}},   // no sibling lists: by ids
        {"amd-phenom-desktop", "AMD Phenom(tm) II X4 965 Processor", 4, 4, {}},
        // Core ids restart in each cluster; the table names the cores, fastest first.
        {"arm-big-little-board", "Cortex-A72 + Cortex-A53", 6, 6, {{"Performance", 2}, {"Efficiency", 4}}},
        {"arm-vendor-kernel", "Qualcomm Technologies, Inc SDM845", 8, 8, {{"Performance", 4}, {"Efficiency", 4}}},
        {"power9-server", "POWER9 (raw)", 4, 16, {}},
        {"riscv-64-core-server", "thead,c920", 64, 64, {}},
        {"s390x-partition", std::nullopt, 8, 16, {}},   // nothing names the processor
        {"sparc-t4-domain", "UltraSparc T4 (Niagara4)", 8, 8, {}},
        {"loongarch-desktop", "Loongson-3A5000", 4, 4, {}},
    };
    for (const auto& m : machines) {
        SCOPED_TRACE(m.machine);
        const auto t = CpuTopology::read(ProbeRoot(testing::fixtureMachine(m.machine)));
        EXPECT_EQ(t.name, m.name);
        EXPECT_EQ(t.cores, m.cores);
        EXPECT_EQ(t.threads, m.threads);
        EXPECT_EQ(t.clusters, m.clusters);
    }
}

// cpufreq's limit where there is one; a virtual machine has none and only "cpu MHz"; some
// architectures have neither, and the clock stays unknown.
TEST(CpuTopology, TheClockComesFromCpufreqElseTheFastestCpuMhzElseIsUnknown) {
    const std::vector<std::pair<std::string, double>> machines{
        {"amd-desktop", 4.850049},   // cpufreq wins over the lower "cpu MHz" of the moment
        {"virtual-machine", 2.596134},
        {"riscv-64-core-server", 0},
        {"sparc-t4-domain", 0},
    };
    for (const auto& [machine, ghz] : machines)
        EXPECT_DOUBLE_EQ(CpuTopology::read(ProbeRoot(testing::fixtureMachine(machine))).maxClockGHz, ghz) << machine;

    CpuTree tree;
    tree.write("/proc/cpuinfo", "processor\t: 0\ncpu MHz\t\t: 1200.000\n\nprocessor\t: 1\ncpu MHz\t\t: 3400.5\n\n"
                                "processor\t: 2\ncpu MHz\t\t: 9e999\n\nprocessor\t: 3\ncpu MHz\t\t: fast\n");
    EXPECT_DOUBLE_EQ(CpuTopology::read(ProbeRoot(tree.folder.path())).maxClockGHz, 3.4005);

    // The kernel's kHz figure carries over exactly: the same double as the text "2.599998", not
    // the neighbour that MHz / 1000 lands on (printed as 2.5999980000000003).
    tree.write("/proc/cpuinfo", "processor\t: 0\ncpu MHz\t\t: 2599.998\n");
    EXPECT_EQ(CpuTopology::read(ProbeRoot(tree.folder.path())).maxClockGHz, 2.599998);
}

TEST(CpuTopology, TheNameComesFromTheFirstFieldThatNamesSomething) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases{
        // An ARM kernel before 3.8: "Processor" was its "model name".
        {"Processor\t: ARMv7 Processor rev 10 (v7l)\nprocessor\t: 0\nHardware\t: Freescale i.MX6 Quad\n",
         "ARMv7 Processor rev 10 (v7l)"},
        // One core the table doesn't know: the table names nothing rather than half the processor.
        {"processor\t: 0\nCPU implementer\t: 0x41\nCPU part\t: 0xd05\n\n"
         "processor\t: 1\nCPU implementer\t: 0x41\nCPU part\t: 0xfff\n",
         std::nullopt},
        {"processor\t: 0\nCPU implementer\t: 0x61\nCPU part\t: 0x023\n", "Apple M1 Firestorm"},
        {"processor\t: 0\nhart\t\t: 0\nisa\t\t: rv64imafdc\nmmu\t\t: sv39\n", "rv64imafdc"},
        {"processor\t: 0\nmodel name\t: Default string\ncpu\t\t: POWER8E (raw), altivec supported\n", "POWER8E (raw)"},
    };
    for (const auto& [cpuinfo, name] : cases) {
        CpuTree tree;
        tree.write("/proc/cpuinfo", cpuinfo);
        EXPECT_EQ(CpuTopology::read(ProbeRoot(tree.folder.path())).name, name) << cpuinfo;
    }
}

// A damaged or hostile list costs no more than the CPUs the kernel can have.
TEST(CpuTopology, CpuListsAreBoundByThePossibleCpus) {
    CpuTree tree;
    tree.write("/sys/devices/system/cpu/possible", "0-7");
    std::string repeated;
    for (int i = 0; i < 1000; ++i) repeated += "0-4095,";
    tree.write("/sys/devices/system/cpu/online", repeated + "0-4294967295");
    EXPECT_EQ(CpuTopology::read(ProbeRoot(tree.folder.path())).threads, 8);

    std::string huge;
    for (int i = 0; i < 100'000; ++i) huge += "0-65535,";
    EXPECT_EQ(parseCpuList(huge + "0-4294967295", 4), (std::vector<int>{0, 1, 2, 3}));
}

} // namespace
} // namespace zantiva
