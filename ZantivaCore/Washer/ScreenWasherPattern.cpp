#include "Washer/ScreenWasherPattern.h"

namespace zantiva {

bool isFlashing(ScreenWasherPattern pattern) {
    return pattern == ScreenWasherPattern::noise || pattern == ScreenWasherPattern::colorCycle;
}

} // namespace zantiva
