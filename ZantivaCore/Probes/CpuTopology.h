#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Model/SystemSpecs.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// The processor as the kernel describes it: its name from /proc/cpuinfo in each
// architecture's own words, cores and threads from the topology of the online CPUs,
// performance levels of hybrid processors (Intel's cpu_core/cpu_atom, ARM's per-CPU
// capacity) and the highest clock: from cpufreq, else the highest "cpu MHz" of
// /proc/cpuinfo, else 0 (unknown).
struct CpuTopology {
    std::optional<std::string> name;
    std::int64_t cores = 0;
    std::int64_t threads = 0;
    std::vector<CoreCluster> clusters;   // fastest first; empty with a single level
    double maxClockGHz = 0;

    static CpuTopology read(const ProbeRoot& root);
};

// A kernel CPU list such as "0-3,8,10-11", sorted, without repeats and without CPUs at or
// above cpuLimit (the CPUs the kernel can have); malformed pieces are skipped.
std::vector<int> parseCpuList(std::string_view list, int cpuLimit);

} // namespace zantiva
