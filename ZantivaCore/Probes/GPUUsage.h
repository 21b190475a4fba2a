#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// GPU utilisation in percent: the busiest DRM device that reports one (amdgpu's
// gpu_busy_percent), clamped to 0…100; absent when none does. A GPU in runtime suspend
// counts as idle and is not asked, which would wake it.
namespace GPUUsage {
// The DRM device folders that report a load ("/sys/class/drm/card0/device/"); found once.
// Absent when /sys/class/drm couldn't be listed: which GPUs there are is then unknown.
std::optional<std::vector<std::string>> devices(const ProbeRoot& root);
std::optional<double> read(const ProbeRoot& root, const std::vector<std::string>& devices);
}

} // namespace zantiva
