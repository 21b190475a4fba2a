#pragma once

#include <optional>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// GPU utilisation in percent: the busiest DRM device that reports one (amdgpu's
// gpu_busy_percent), clamped to 0…100; absent when none does. A GPU in runtime suspend
// counts as idle and is not asked, which would wake it.
namespace GPUUsage {
std::optional<double> read(const ProbeRoot& root);
}

} // namespace zantiva
