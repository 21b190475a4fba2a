#include "Presenters/DeviceHeadingPresenter.h"

#include "Localization/Loc.h"
#include "PanelPresenters/SpecsPresenter.h"

namespace zantiva::DeviceHeadingPresenter {
namespace {

constexpr const char* dash = "\u2014";

PaletteColor toneColor(DeviceGradeTone tone) {
    switch (tone) {
    case DeviceGradeTone::good: return PaletteColor::secondary;
    case DeviceGradeTone::fair: return PaletteColor::tertiary;
    case DeviceGradeTone::poor: return PaletteColor::primary;
    }
    return PaletteColor::muted;
}

} // namespace

std::string caption(const std::optional<SystemSpecs>& specs) {
    if (!specs) return " ";
    return SpecsPresenter::joined(SpecsPresenter::known({specs->manufacturer, specs->operatingSystem}), "  \u00B7  ");
}

GradeDotView gradeDot(std::optional<DeviceGrade> grade, const Loc& loc) {
    return {.letter = grade ? std::string(rawValue(*grade)) : dash,
            .fill = grade ? toneColor(tone(*grade)) : PaletteColor::muted,
            .tooltip = loc["Dashboard.GradeTip"]};
}

DeviceHeadingView present(const DeviceHeadingState& state, const Loc& loc) {
    // A model the system didn't give reads as the specs cards say it, never as a raw "Unknown".
    DeviceHeadingView view{.caption = caption(state.specs),
                           .name = state.specs ? SpecsPresenter::readingText(state.specs->model, loc) : dash};
    if (state.hasResults) view.gradeDot = gradeDot(state.grade, loc);
    return view;
}

} // namespace zantiva::DeviceHeadingPresenter
