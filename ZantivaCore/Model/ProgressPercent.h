#pragma once

#include <algorithm>

namespace zantiva {

// Share of a planned duration that has passed, in percent: 0 without a planned
// duration, never above 100.
constexpr double cappedPercent(double elapsedSeconds, double totalSeconds) {
    if (!(totalSeconds > 0)) return 0;
    return std::min(elapsedSeconds / totalSeconds * 100, 100.0);
}

} // namespace zantiva
