#include "Presenters/WasherSetupPresenter.h"

#include "Localization/Loc.h"

namespace zantiva::WasherSetupPresenter {
namespace {

std::string_view startPatternKey(ScreenWasherPattern pattern) {
    switch (pattern) {
    case ScreenWasherPattern::noise: return "Washer.PatternNoise";
    case ScreenWasherPattern::colorCycle: return "Washer.PatternRgbw";
    case ScreenWasherPattern::gradientSweep: return "Washer.PatternGradient";
    case ScreenWasherPattern::uniformitySlides: break;
    }
    return {};
}

} // namespace

WasherSetupView present(const WasherSetupState& state, const Loc& loc) {
    WasherSetupView view{
        .title = loc["Washer.Title"],
        .subtitle = loc["Washer.Subtitle"],
        .warning = {loc["Washer.WarningTitle"], {loc["Washer.WarningBody"], loc["Washer.WarningTip"]}, PaletteColor::primary},
        .time = {loc["Washer.TimeTitle"], {loc["Washer.TimeBody"]}, PaletteColor::tertiary},
        .durationTitle = loc["Washer.HowLong"],
        .durationSummary = loc.t(summaryKey(state.options.duration)),
        .patternTitle = loc["Washer.StartingPattern"],
        .autoCycleLabel = loc["Washer.AutoCycle"],
        .autoCycle = state.options.autoCycle,
        .controlsNote = loc["Washer.Controls"],
        .inspectTip = loc["Washer.InspectTip"],
        .consentLabel = loc["Washer.Consent"],
        .consent = state.consent,
        .startLabel = loc["Washer.Start"],
        // The consent is asked for every run, gentle patterns included.
        .canStart = state.consent && !state.screenNames.empty(),
        .cancelLabel = loc["Common.Cancel"],
    };
    for (const ScreenWasherDuration duration : allCases<ScreenWasherDuration>())
        view.durations.push_back({loc.t(labelKey(duration)), duration == state.options.duration});
    for (const ScreenWasherPattern pattern : washingPatterns)
        view.patterns.push_back({loc.t(startPatternKey(pattern)), pattern == state.options.startPattern});
    if (state.screenNames.size() > 1) {
        view.screenTitle = loc["Washer.WhichScreen"];
        for (std::size_t i = 0; i < state.screenNames.size(); ++i)
            view.screens.push_back({state.screenNames[i], i == state.screenIndex});
    }
    return view;
}

std::size_t screenToCover(const WasherSetupState& state, std::optional<std::size_t> primary) {
    if (state.screenIndex < state.screenNames.size()) return state.screenIndex;
    return primary.value_or(0);
}

} // namespace zantiva::WasherSetupPresenter
