#pragma once

#include <optional>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// The processors' worth of time that a CPU quota lets this process use (a container's
// --cpus, systemd's CPUQuota=): the least quota ÷ period of its group and every group above
// it, by v2 cpu.max and v1 cpu.cfs_quota_us and cpu.cfs_period_us. Absent when none sets one.
// The processors it may run on at all are its affinity mask's (usableProcessorCount).
std::optional<double> readCpuQuota(const ProbeRoot& root);

} // namespace zantiva
