#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Model/CpuBenchmarkProgress.h"
#include "Presenters/LiveUsagePresenter.h"
#include "PanelPresenters/MetricValue.h"
#include "Probes/LoadTrace.h"

namespace zantiva {

class Loc;

// What the CPU page reads of the suite runner.
struct CpuStationState {
    std::optional<CpuBenchmarkProgress> progress; // absent before the engine's first report
    LoadTrace trace;
};

// The CPU page, top to bottom.
struct CpuStationView {
    std::string phase;
    double fraction = 0;                 // of the whole run, 0 ... 1
    std::vector<MetricValue> metrics;    // score, usage, temperature and power when known, elapsed
    std::optional<std::string> throttle; // the warning, only once throttling was seen
    LiveUsageView usage;
    std::string reference;

    bool operator==(const CpuStationView&) const = default;
};

namespace CpuStationPresenter {

// Without a report yet the page shows a report of zeros: the first stage, nothing measured.
CpuStationView present(const CpuStationState& state, const Loc& loc);

} // namespace CpuStationPresenter
} // namespace zantiva
