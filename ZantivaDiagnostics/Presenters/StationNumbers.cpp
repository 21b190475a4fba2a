#include "Presenters/StationNumbers.h"

#include <algorithm>
#include <cmath>

#include "Localization/CompositeFormat.h"

namespace zantiva::StationNumbers {

double barFraction(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0; }

std::string reading(std::string_view templateText, double value) {
    if (!std::isfinite(value)) return missing;
    return CompositeFormat::format(templateText, {value});
}

} // namespace zantiva::StationNumbers
