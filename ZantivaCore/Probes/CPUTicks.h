#pragma once

#include <cstdint>
#include <vector>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// The total CPU load and each logical CPU's, in percent, over an interval.
struct CpuLoads {
    double total = 0;
    std::vector<double> perCore;
};

// One logical CPU's tick counters from /proc/stat.
struct CPUTicks {
    int cpu = 0;              // the kernel's CPU number
    std::uint64_t busy = 0;   // user + nice + system + irq + softirq + steal
    std::uint64_t idle = 0;   // idle + iowait

    bool operator==(const CPUTicks&) const = default;

    static std::vector<CPUTicks> read(const ProbeRoot& root);

    // Loads between two readings, CPUs paired by number (a CPU that went offline drops
    // out of /proc/stat, so positions would pair the wrong ones). A CPU without an
    // earlier reading shows 0 for this interval; a counter that went back counts nothing.
    static CpuLoads loads(const std::vector<CPUTicks>& from, const std::vector<CPUTicks>& to);
};

} // namespace zantiva
