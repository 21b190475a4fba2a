#include "Presenters/ExternalCardPresenter.h"

#include <algorithm>

#include "Localization/Loc.h"

namespace zantiva::ExternalCardPresenter {

namespace {

using Kind = ExternalTestKind;

std::vector<ExternalRunButton> buttons(ExternalBenchmarkApp app, const Loc& loc) {
    // Geekbench's one CPU run gives both CPU scores, so both CPU buttons start it.
    const Kind multiCore = app == ExternalBenchmarkApp::geekbench ? Kind::cpuSingleCore : Kind::cpuMultiCore;
    std::vector<ExternalRunButton> out{
        {loc["Dashboard.External.CpuSingle"], false, {app, Kind::cpuSingleCore}},
        {loc["Dashboard.External.CpuMulti"], false, {app, multiCore}},
    };
    if (supportsGPU(app)) out.push_back({loc["Dashboard.External.Gpu"], false, {app, Kind::gpu}});
    out.push_back({loc["Dashboard.External.RunAll"], true, {app, Kind::cpuSingleCore}});
    return out;
}

ExternalAppSectionView section(const ExternalAppCardState& app, bool canChoose, bool canStart, const Loc& loc) {
    ExternalAppSectionView view{
        .app = app.app,
        .name = app.name,
        .badge = std::nullopt,
        .chooseLabel = loc["Dashboard.External.ChooseExe"],
        .canChoose = canChoose,
        .path = app.path,
        .notes = {},
        .buttons = buttons(app.app, loc),
        .canRun = canStart && app.path && app.isAvailable && !app.isPreparing,
        .scores = std::nullopt,
    };
    if (app.isFoundAutomatically) view.badge = loc["External.Found"];
    if (!app.path && !app.isPreparing) view.notes.push_back({loc["Dashboard.External.NoFile"], PaletteColor::text, true});
    if (app.path && !app.isAvailable) view.notes.push_back({loc["External.Moved"], PaletteColor::primary, false});
    if (app.path && app.isAvailable && app.isOnImage)
        view.notes.push_back({loc["External.FromImage"], PaletteColor::text, true});
    if (app.isPreparing) view.notes.push_back({loc["External.OpeningImage"], PaletteColor::tertiary, false});
    if (app.chooseError) view.notes.push_back({loc.resolve(*app.chooseError), PaletteColor::primary, false});
    if (app.app == ExternalBenchmarkApp::geekbench)
        view.notes.push_back({loc["Dashboard.External.GeekbenchNote"], PaletteColor::text, true});
    if (app.result && app.result->hasAnyScore())
        view.scores = ExternalScoresPresenter::row(app.app, *app.result, 18, false, loc);
    return view;
}

} // namespace

ExternalCardView present(const ExternalCardState& state, const Loc& loc) {
    ExternalCardView view{
        .title = loc["Dashboard.External.Title"],
        .toggleLabel = loc[state.isExpanded ? "Common.Hide" : "Common.Show"],
        .toggleTip = loc["Dashboard.External.ToggleTip"],
        .isExpanded = state.isExpanded,
        .intro = loc["Dashboard.External.Intro"],
        .sections = {},
        .fullPerformanceLabel = loc["Dashboard.External.FullPerformance"],
        .canRunFullPerformance = state.canStart,
        .openCsvLabel = loc["Dashboard.External.OpenCsv"],
    };
    const bool anyPreparing = std::ranges::any_of(state.apps, &ExternalAppCardState::isPreparing);
    for (const auto& app : state.apps)
        view.sections.push_back(section(app, !state.isRunning && !anyPreparing, state.canStart, loc));
    return view;
}

} // namespace zantiva::ExternalCardPresenter
