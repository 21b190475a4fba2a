#include "Presenters/WasherPresenter.h"

#include <cmath>
#include <cstdint>

#include "Localization/Loc.h"

namespace zantiva::WasherPresenter {
namespace {

struct PatternButton {
    ScreenWasherPattern pattern;
    const char* key;
};

constexpr PatternButton buttons[] = {
    {ScreenWasherPattern::noise, "Washer.Btn.Noise"},
    {ScreenWasherPattern::colorCycle, "Washer.Btn.Rgbw"},
    {ScreenWasherPattern::gradientSweep, "Washer.Btn.Gradient"},
    {ScreenWasherPattern::uniformitySlides, "Washer.Btn.Inspect"},
};

std::string clock(double seconds) {
    const auto whole = static_cast<std::int64_t>(std::trunc(seconds));
    const std::int64_t underMinute = whole % 60;
    return std::to_string(whole / 60) + (underMinute < 10 ? ":0" : ":") + std::to_string(underMinute);
}

} // namespace

std::string timeText(const ScreenWasherEngine& engine, const Loc& loc) {
    if (const auto remaining = engine.remainingSeconds()) return loc.f("Washer.Left", clock(*remaining));
    return loc.f("Washer.Elapsed", clock(engine.elapsedSeconds()));
}

WasherControlsView present(const ScreenWasherEngine& engine, const Loc& loc) {
    WasherControlsView view;
    if (engine.pattern() == ScreenWasherPattern::uniformitySlides) {
        const auto position = static_cast<std::int64_t>(engine.slideIndex()) + 1;
        const auto count = static_cast<std::int64_t>(washerSlides.size());
        view.slideBadge = loc.f("Washer.SlideCounter", loc.t(engine.slide().labelKey), position, count) + "   " +
                          loc.t("Washer.ChangeSlide");
    }
    for (const auto& [pattern, key] : buttons) view.patterns.push_back({pattern, loc.t(key), pattern == engine.pattern()});
    if (isFlashing(engine.pattern())) view.flashing = loc.t("Washer.Flashing");
    view.time = timeText(engine, loc);
    view.stop = loc.t("Washer.Stop");
    return view;
}

} // namespace zantiva::WasherPresenter
