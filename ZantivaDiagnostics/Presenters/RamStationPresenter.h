#pragma once

#include <optional>
#include <string>

#include "Model/MemoryPassProgress.h"

namespace zantiva {

class Loc;

// What the memory page reads of the suite runner.
struct RamStationState {
    std::optional<MemoryPassProgress> progress; // absent until the engine's first report
};

// The memory page: the pass line (once the engine reports) over the bar.
struct RamStationView {
    std::optional<std::string> pass;
    double fraction = 0; // 0 ... 1

    bool operator==(const RamStationView&) const = default;
};

namespace RamStationPresenter {

RamStationView present(const RamStationState& state, const Loc& loc);

} // namespace RamStationPresenter
} // namespace zantiva
