#pragma once

#include "Washer/ScreenWasherDuration.h"
#include "Washer/ScreenWasherPattern.h"

namespace zantiva {

// The user's choices for one washer run.
struct ScreenWasherOptions {
    ScreenWasherDuration duration = ScreenWasherDuration::quickClean;
    ScreenWasherPattern startPattern = ScreenWasherPattern::noise;
    bool autoCycle = true;
    double colorHoldMilliseconds = 200;

    bool operator==(const ScreenWasherOptions&) const = default;
};

} // namespace zantiva
