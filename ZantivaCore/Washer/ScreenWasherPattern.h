#pragma once

#include <array>
#include <string_view>

#include "Model/RawValues.h"

namespace zantiva {

// What the screen washer shows. The first three wash the screen; the slides are for looking
// at it afterwards.
enum class ScreenWasherPattern { noise, colorCycle, gradientSweep, uniformitySlides };

template <> struct RawValues<ScreenWasherPattern> {
    static constexpr std::array<std::pair<ScreenWasherPattern, std::string_view>, 4> table{{
        {ScreenWasherPattern::noise, "noise"},
        {ScreenWasherPattern::colorCycle, "colorCycle"},
        {ScreenWasherPattern::gradientSweep, "gradientSweep"},
        {ScreenWasherPattern::uniformitySlides, "uniformitySlides"},
    }};
};

// The automatic cycle's rotation order.
inline constexpr std::array<ScreenWasherPattern, 3> washingPatterns{
    ScreenWasherPattern::noise, ScreenWasherPattern::colorCycle, ScreenWasherPattern::gradientSweep};

// Whether the pattern flashes (the set-up sheet warns about these).
bool isFlashing(ScreenWasherPattern pattern);

} // namespace zantiva
