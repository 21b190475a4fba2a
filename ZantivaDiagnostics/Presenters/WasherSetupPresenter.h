#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Palette/PaletteColor.h"
#include "Washer/ScreenWasherOptions.h"

namespace zantiva {

class Loc;

// The choices on the washer's set-up card; they start from the defaults each time it opens.
struct WasherSetupState {
    ScreenWasherOptions options;
    bool consent = false;
    std::vector<std::string> screenNames; // the screens the run may cover, as the system names them
    std::size_t screenIndex = 0;
};

// One choice of a list: the selected one is drawn highlighted.
struct WasherChoice {
    std::string label;
    bool selected = false;
    bool operator==(const WasherChoice&) const = default;
};

// A boxed notice: a title in its colour over lines of body text.
struct WasherNotice {
    std::string title;
    std::vector<std::string> lines;
    PaletteColor color;
    bool operator==(const WasherNotice&) const = default;
};

struct WasherSetupView {
    std::string title;
    std::string subtitle;
    WasherNotice warning;
    WasherNotice time;
    std::string durationTitle;
    std::vector<WasherChoice> durations; // in the order of allCases<ScreenWasherDuration>()
    std::string durationSummary;
    std::string patternTitle;
    std::vector<WasherChoice> patterns; // the washing patterns, in rotation order
    std::string autoCycleLabel;
    bool autoCycle = true;
    std::optional<std::string> screenTitle; // only with more than one screen
    std::vector<WasherChoice> screens;
    std::string controlsNote;
    std::string inspectTip;
    std::string consentLabel;
    bool consent = false;
    std::string startLabel;
    bool canStart = false;
    std::string cancelLabel;

    bool operator==(const WasherSetupView&) const = default;
};

namespace WasherSetupPresenter {

WasherSetupView present(const WasherSetupState& state, const Loc& loc);
// The screen a run started now covers: the chosen one while it is still there, else the
// primary one (index 0 when the system names none first).
std::size_t screenToCover(const WasherSetupState& state, std::optional<std::size_t> primary);

} // namespace WasherSetupPresenter
} // namespace zantiva
