#include "Probes/GPUUsage.h"

#include <algorithm>
#include <string>

namespace zantiva {

std::optional<std::vector<std::string>> GPUUsage::devices(const ProbeRoot& root) {
    const auto cards = root.listing("/sys/class/drm");
    if (cards.failed()) return std::nullopt;
    std::vector<std::string> found;
    for (const auto& card : cards.items) {
        if (!numberAfter(card, "card")) continue;
        const std::string device = "/sys/class/drm/" + card + "/device/";
        if (root.exists(device + "gpu_busy_percent")) found.push_back(device);
    }
    return found;
}

std::optional<double> GPUUsage::read(const ProbeRoot& root, const std::vector<std::string>& devices) {
    std::optional<double> busiest;
    for (const auto& device : devices) {
        // A powered-down GPU does no work, and asking it would wake it (older amdgpu
        // kernels do), spending a laptop's battery on every sample.
        std::optional<std::int64_t> percent = 0;
        if (root.text(device + "power/runtime_status") != "suspended") percent = root.integer(device + "gpu_busy_percent");
        if (!percent) continue;
        const double clamped = std::clamp(static_cast<double>(*percent), 0.0, 100.0);
        busiest = std::max(busiest.value_or(clamped), clamped);
    }
    return busiest;
}

} // namespace zantiva
