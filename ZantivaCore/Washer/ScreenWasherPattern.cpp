#include "Washer/ScreenWasherPattern.h"

namespace zantiva {

std::string_view nameKey(ScreenWasherPattern pattern) {
    switch (pattern) {
    case ScreenWasherPattern::noise: return "Washer.Pattern.Noise";
    case ScreenWasherPattern::colorCycle: return "Washer.Pattern.ColorCycle";
    case ScreenWasherPattern::gradientSweep: return "Washer.Pattern.Gradient";
    case ScreenWasherPattern::uniformitySlides: return "Washer.Pattern.Slides";
    }
    return {};
}

bool isFlashing(ScreenWasherPattern pattern) {
    return pattern == ScreenWasherPattern::noise || pattern == ScreenWasherPattern::colorCycle;
}

} // namespace zantiva
