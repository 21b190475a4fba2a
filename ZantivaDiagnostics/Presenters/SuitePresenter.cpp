#include "Presenters/SuitePresenter.h"

#include "Localization/Loc.h"
#include "Presenters/ModuleText.h"

namespace zantiva::SuitePresenter {
namespace {

struct BadgeColors {
    PaletteColor background;
    PaletteColor foreground;
};

BadgeColors badgeColors(ModuleStatus status) {
    switch (status) {
    case ModuleStatus::running: return {PaletteColor::tertiary, PaletteColor::outline};
    case ModuleStatus::passed: return {PaletteColor::secondary, PaletteColor::outline};
    case ModuleStatus::failed: return {PaletteColor::primary, PaletteColor::text};
    case ModuleStatus::pending:
    case ModuleStatus::skipped:
    case ModuleStatus::cancelled:
    case ModuleStatus::bypassed: break;
    }
    return {PaletteColor::card, PaletteColor::text};
}

std::optional<std::string> shownWhen(bool condition, const Loc& loc, std::string_view key) {
    return condition ? std::optional(loc[key]) : std::nullopt;
}

} // namespace

SuiteView present(const SuiteState& state, const Loc& loc) {
    SuiteView view{
        .resumed = shownWhen(state.wasResumed, loc, "Suite.Resumed"),
        .readingDrives = shownWhen(state.isReadingDrives, loc, "Suite.ReadingSmart"),
        .notice = state.notice ? std::optional(loc.resolve(*state.notice)) : std::nullopt,
        .title = loc["Suite.Title"],
        .rows = {},
        .stop = loc["Suite.Stop"],
        .canStop = state.isRunning,
        .stopConfirmation = {loc["Suite.StopConfirm.Title"], loc["Suite.StopConfirm.Body"],
                             loc["Suite.StopConfirm.Confirm"], loc["Suite.StopConfirm.Cancel"]},
    };
    for (const TestModule module : state.plan) {
        const auto found = state.statuses.find(module);
        const ModuleStatus status = found == state.statuses.end() ? ModuleStatus::pending : found->second;
        const auto failure = state.failures.find(module);
        const BadgeColors colors = badgeColors(status);
        view.rows.push_back({
            .module = module,
            .title = loc[ModuleText::titleKey(module)],
            .isCurrent = state.current == module,
            .status = loc[ModuleText::statusKey(status)],
            .badgeBackground = colors.background,
            .badgeForeground = colors.foreground,
            .failure = failure == state.failures.end() ? std::nullopt : std::optional(loc.resolve(failure->second)),
        });
    }
    return view;
}

} // namespace zantiva::SuitePresenter
