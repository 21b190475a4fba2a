#include "Presenters/ExternalRunPresenter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Localization/Loc.h"
#include "PanelPresenters/TelemetryPresenter.h"
#include "Presenters/ShownNumber.h"

namespace zantiva::ExternalRunPresenter {

namespace {

ExternalLoadView load(std::string title, std::optional<double> percent, std::optional<double> temperature,
                      const std::vector<double>& history, int capacity, const Loc& loc) {
    ExternalLoadView view{
        .title = std::move(title),
        .temperature = std::nullopt,
        .load = percent ? formattedNumber("{0:0}%", *percent) : missingNumber,
        .caption = loc["ExtRun.Load"],
        .history = history,
        .capacity = capacity,
    };
    if (temperature) view.temperature = formattedNumber(TelemetryPresenter::temperatureTemplate, *temperature);
    return view;
}

ExternalStepView step(const ExternalRunState& state, const Loc& loc) {
    ExternalStepView view{.label = state.currentStepLabel.value_or(" ")};
    if (state.fraction) {
        // A broken report (NaN, infinity) shows as no progress rather than a full bar.
        view.progress = std::isfinite(*state.fraction) ? std::clamp(*state.fraction, 0.0, 1.0) : 0.0;
        return view;
    }
    if (state.stepStartedAt) {
        view.elapsedClock = clock(std::chrono::duration<double>(state.now - *state.stepStartedAt).count());
        view.elapsed = loc.f("ExtRun.Elapsed", view.elapsedClock);
    }
    if (state.currentStep && isCinebench(state.currentStep->app)) view.noProgressNote = loc["ExtRun.NoProgress"];
    return view;
}

std::string status(const ExternalRunState& state, const Loc& loc) {
    if (!state.status) return " ";
    if (const auto* message = std::get_if<LocalizedMessage>(&*state.status)) return loc.resolve(*message);
    return std::get<std::string>(*state.status);
}

ExternalRunningView running(const ExternalRunState& state, const Loc& loc) {
    ExternalRunningView view{
        .title = loc["ExtRun.Running"],
        .stopLabel = loc["Common.Stop"],
        .stepCounter = std::nullopt,
        .phase = ExternalStepView{},
        .status = status(state, loc),
        .cpu = load("CPU", state.latest.cpuLoadPercent, state.latest.cpuTemperatureCelsius, state.cpuHistory,
                    state.historyCapacity, loc),
        .gpu = load("GPU", state.latest.gpuLoadPercent, state.latest.gpuTemperatureCelsius, state.gpuHistory,
                    state.historyCapacity, loc),
    };
    if (state.stepCount >= 2) view.stepCounter = loc.f("ExtRun.StepCounter", std::max(state.stepIndex, 1), state.stepCount);
    if (const auto& rest = state.cooldown)
        view.phase = ExternalRestView{loc.f("ExtRun.CooldownStep", rest->before), clock(rest->remainingSeconds),
                                      loc["ExtRun.SkipCooldown"]};
    else
        view.phase = step(state, loc);
    return view;
}

ExternalFinishedView finished(const ExternalRunState& state, const Loc& loc) {
    ExternalFinishedView view{
        .title = loc["ExtRun.Results"],
        .apps = {},
        .noScores = std::nullopt,
        .problemsTitle = std::nullopt,
        .problems = {},
        .csvWritten = std::nullopt,
        .backLabel = loc["Common.BackToDashboard"],
        .openCsvLabel = loc["Dashboard.External.OpenCsv"],
    };
    for (const auto& app : state.scored)
        view.apps.push_back({app.name, ExternalScoresPresenter::row(app.app, app.result, 22, false, loc)});
    if (state.scored.empty()) view.noScores = loc[state.wasCancelled ? "ExtRun.Cancelled" : "ExtRun.NoScores"];
    if (!state.problems.empty()) view.problemsTitle = loc["ExtRun.Problems"];
    for (const auto& problem : state.problems) view.problems.push_back({problem.stepLabel, loc.resolve(problem.message)});
    if (state.csvWritten) view.csvWritten = loc["External.CsvWritten"];
    return view;
}

} // namespace

std::string clock(double seconds) {
    const long whole = std::max(0L, std::lround(std::isfinite(seconds) ? seconds : 0));
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

ExternalRunView present(const ExternalRunState& state, const Loc& loc) {
    ExternalRunView view{
        .section = ExternalRunningView{},
        .console = {.isShown = state.isRunning || !state.console.empty(),
                    .title = loc["ExtRun.Console"],
                    .showLabel = loc["Common.Show"],
                    .hideLabel = loc["Common.Hide"],
                    .emptyText = loc["ExtRun.ConsoleEmpty"],
                    .lines = state.console},
    };
    if (state.isRunning)
        view.section = running(state, loc);
    else
        view.section = finished(state, loc);
    return view;
}

} // namespace zantiva::ExternalRunPresenter
