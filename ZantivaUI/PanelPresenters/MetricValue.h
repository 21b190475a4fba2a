#pragma once

#include <string>

#include "Palette/PaletteColor.h"

namespace zantiva {

// One labelled measured value, as the station pages and the results screen show it: the
// label already in the interface language, the value already formatted (machine text).
struct MetricValue {
    std::string label;
    std::string value;
    PaletteColor color = PaletteColor::text;

    bool operator==(const MetricValue&) const = default;
};

} // namespace zantiva
