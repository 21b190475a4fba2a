#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// Whole-system power draw in watts where it can be known honestly: a laptop running on
// its batteries draws what they deliver (power_now, or current × voltage). On mains power
// nothing measures the system, so the value is absent, as it is outside 0 < W < 2000.
// Batteries of attached devices (scope "Device") are not the system's. The batteries are
// found once, at creation; a reading opens only what tells their draw. While the power
// supplies couldn't be listed, each reading looks again and, until then, measures nothing.
class SystemPower {
public:
    explicit SystemPower(const ProbeRoot& root);

    std::optional<double> read(const ProbeRoot& root);

private:
    void find(const ProbeRoot& root);

    std::optional<std::vector<std::filesystem::path>> batteries_;   // absent until they could be listed
};

} // namespace zantiva
