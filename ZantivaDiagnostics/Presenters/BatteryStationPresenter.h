#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Model/BatteryHealthResult.h"
#include "PanelPresenters/MetricValue.h"

namespace zantiva {

class Loc;

// What the battery page reads of the suite runner.
struct BatteryStationState {
    std::optional<BatteryHealthResult> reading; // absent until the first reading
};

// The battery page: a line, the measured values (none without a battery), and a footnote.
// With a battery: the sampling line, health, discharge and charge with cycles, then the
// capacities. Without one (or before the first reading): that no battery was found, and
// that nothing is scored for it.
struct BatteryStationView {
    std::string headline;
    std::vector<MetricValue> metrics;
    std::string footnote;

    bool operator==(const BatteryStationView&) const = default;
};

namespace BatteryStationPresenter {

BatteryStationView present(const BatteryStationState& state, const Loc& loc);

} // namespace BatteryStationPresenter
} // namespace zantiva
