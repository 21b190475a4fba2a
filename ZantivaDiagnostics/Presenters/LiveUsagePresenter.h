#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Palette/PaletteColor.h"
#include "Probes/LoadTrace.h"

namespace zantiva {

class Loc;

// One live chart: its label, its scale ("0–100"), and the samples, oldest first, drawn in a
// tint up to a maximum over a fixed number of slots.
struct UsageChart {
    std::string label;
    std::string scale;
    std::vector<double> values;
    int capacity = 0;
    PaletteColor tint = PaletteColor::primary;
    double maximum = 1;

    bool operator==(const UsageChart&) const = default;
};

// The live resource panel of the CPU and GPU pages: its title and a chart for each reading
// the trace has had, in the order load, temperature, power.
struct LiveUsageView {
    std::string title;
    std::vector<UsageChart> charts;

    bool operator==(const LiveUsageView&) const = default;
};

// The message keys of one page's panel: its title and the three chart labels.
struct LiveUsageKeys {
    std::string_view title;
    std::string_view load;
    std::string_view temperature;
    std::string_view power;
};

namespace LiveUsagePresenter {

inline constexpr LiveUsageKeys cpuKeys{"Common.LiveUsage", "Cpu.ChartLoad", "Cpu.ChartTemperature", "Cpu.ChartPower"};
inline constexpr LiveUsageKeys gpuKeys{"Gpu.LiveUsage", "Gpu.ChartLoad", "Gpu.ChartTemperature", "Gpu.ChartPower"};

LiveUsageView present(const LoadTrace& trace, const LiveUsageKeys& keys, const Loc& loc);

} // namespace LiveUsagePresenter
} // namespace zantiva
