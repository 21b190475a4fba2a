#include "Probes/GPUUsage.h"

#include <algorithm>

namespace zantiva {

std::optional<double> GPUUsage::read(const ProbeRoot& root) {
    std::optional<double> busiest;
    for (const auto& card : root.entries("/sys/class/drm")) {
        if (!numberAfter(card, "card")) continue;
        auto percent = root.integer("/sys/class/drm/" + card + "/device/gpu_busy_percent");
        if (!percent) continue;
        const double clamped = std::clamp(static_cast<double>(*percent), 0.0, 100.0);
        busiest = std::max(busiest.value_or(clamped), clamped);
    }
    return busiest;
}

} // namespace zantiva
