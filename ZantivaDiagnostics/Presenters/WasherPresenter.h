#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Washer/ScreenWasherEngine.h"

namespace zantiva {

class Loc;

// One pattern button of the washer's control bar; the pattern on show is highlighted.
struct WasherPatternButton {
    ScreenWasherPattern pattern;
    std::string text;
    bool highlighted = false;
    bool operator==(const WasherPatternButton&) const = default;
};

// The washer's controls over the pattern: the slide badge (only on the slides), the four
// pattern buttons, the flashing warning (only while a flashing pattern shows), the time
// and Stop.
struct WasherControlsView {
    std::optional<std::string> slideBadge;
    std::vector<WasherPatternButton> patterns;
    std::optional<std::string> flashing;
    std::string time;
    std::string stop;
    bool operator==(const WasherControlsView&) const = default;
};

namespace WasherPresenter {

WasherControlsView present(const ScreenWasherEngine& engine, const Loc& loc);
// What is left of a timed run, or what has passed of a manual one, as m:ss (minutes uncapped).
std::string timeText(const ScreenWasherEngine& engine, const Loc& loc);

} // namespace WasherPresenter
} // namespace zantiva
