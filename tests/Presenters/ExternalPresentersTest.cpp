#include <gtest/gtest.h>

#include "Localization/Loc.h"
#include "Presenters/ExternalCardPresenter.h"
#include "Presenters/ExternalRunPresenter.h"
#include "Presenters/ResultPresenter.h"

using namespace zantiva;

namespace {

using App = ExternalBenchmarkApp;
using Kind = ExternalTestKind;
const Loc english(AppLanguage::english);

ExternalAppCardState installed(App app) {
    return {.app = app, .name = "Tool", .path = "/opt/tool", .isAvailable = true};
}

const ExternalAppSectionView& section(const ExternalCardView& view, App app) {
    return *std::ranges::find(view.sections, app, &ExternalAppSectionView::app);
}

std::vector<std::string> texts(const std::vector<ExternalNote>& notes) {
    std::vector<std::string> out;
    for (const auto& note : notes) out.push_back(note.text);
    return out;
}

} // namespace

TEST(ExternalCardPresenter, SectionsSayWhereEachAppIsAndWhenItCanRun) {
    ExternalAppCardState moved = installed(App::cinebench2026);
    moved.isAvailable = false;
    ExternalAppCardState onImage = installed(App::geekbench);
    onImage.isOnImage = true;
    onImage.isFoundAutomatically = true;
    ExternalCardState state{.isExpanded = true, .canStart = true, .isRunning = false,
                            .apps = {onImage, {.app = App::cinebench2024, .name = "Cinebench 2024"}, moved}};
    auto view = ExternalCardPresenter::present(state, english);
    EXPECT_EQ(view.toggleLabel, english["Common.Hide"]);

    const auto& geekbench = section(view, App::geekbench);
    EXPECT_TRUE(geekbench.canRun && geekbench.canChoose);
    EXPECT_EQ(geekbench.badge, english["External.Found"]);
    EXPECT_EQ(texts(geekbench.notes), (std::vector<std::string>{english["External.FromImage"],
                                                                english["Dashboard.External.GeekbenchNote"]}));
    const auto& none = section(view, App::cinebench2024);
    EXPECT_FALSE(none.canRun);
    EXPECT_FALSE(none.path);
    EXPECT_EQ(texts(none.notes), std::vector<std::string>{english["Dashboard.External.NoFile"]});
    const auto& gone = section(view, App::cinebench2026);
    EXPECT_EQ(gone.path, "/opt/tool") << "the old path stays in sight";
    EXPECT_EQ(gone.notes.at(0), (ExternalNote{english["External.Moved"], PaletteColor::primary, false}));
    EXPECT_FALSE(gone.canRun);

    // An image opening: its section says so instead of "no file", and no choice can race it.
    state.apps[1].isPreparing = true;
    state.apps[1].chooseError = LocalizedMessage("External.NotExecutable", "/tmp/x");
    view = ExternalCardPresenter::present(state, english);
    EXPECT_EQ(texts(section(view, App::cinebench2024).notes),
              (std::vector<std::string>{english["External.OpeningImage"], english.f("External.NotExecutable", "/tmp/x")}));
    for (const auto& shown : view.sections) EXPECT_FALSE(shown.canChoose);

    // Another runner busy: nothing starts, Choose and Open CSV still work.
    state.apps[1].isPreparing = false;
    state.canStart = false;
    view = ExternalCardPresenter::present(state, english);
    EXPECT_FALSE(view.canRunFullPerformance);
    EXPECT_FALSE(section(view, App::geekbench).canRun);
    EXPECT_TRUE(section(view, App::geekbench).canChoose);
    // An outside run: no installation changes under it.
    state.isRunning = true;
    EXPECT_FALSE(section(ExternalCardPresenter::present(state, english), App::geekbench).canChoose);
}

TEST(ExternalCardPresenter, RunButtonsStartTheRightSteps) {
    const ExternalCardState state{.isExpanded = true, .canStart = true, .isRunning = false,
                                  .apps = {installed(App::geekbench), installed(App::cinebench2024)}};
    const auto view = ExternalCardPresenter::present(state, english);
    const auto steps = [](const ExternalAppSectionView& shown) {
        std::vector<std::pair<std::string, std::optional<ExternalBenchmarkStep>>> out;
        for (const auto& button : shown.buttons)
            out.emplace_back(button.label, button.isRunAll ? std::nullopt : std::optional(button.step));
        return out;
    };
    using Steps = decltype(steps(view.sections[0]));
    // Geekbench's one CPU run gives both CPU scores.
    const std::string single = english["Dashboard.External.CpuSingle"];
    const std::string multi = english["Dashboard.External.CpuMulti"];
    const std::string runAll = english["Dashboard.External.RunAll"];
    EXPECT_EQ(steps(view.sections[0]), (Steps{{single, ExternalBenchmarkStep{App::geekbench, Kind::cpuSingleCore}},
                                              {multi, ExternalBenchmarkStep{App::geekbench, Kind::cpuSingleCore}},
                                              {"GPU", ExternalBenchmarkStep{App::geekbench, Kind::gpu}},
                                              {runAll, std::nullopt}}));
    // Cinebench 2024 has no GPU test.
    EXPECT_EQ(steps(view.sections[1]),
              (Steps{{single, ExternalBenchmarkStep{App::cinebench2024, Kind::cpuSingleCore}},
                     {multi, ExternalBenchmarkStep{App::cinebench2024, Kind::cpuMultiCore}},
                     {runAll, std::nullopt}}));
}

TEST(ExternalScoresPresenter, MissingScoresAreDashesAndTheGpuColumnIsKeptOnlyWhenAsked) {
    const ExternalBenchmarkResult gpuOnly{.gpuScore = 41876.6};
    const auto row = ExternalScoresPresenter::row(App::cinebench2026, gpuOnly, 18, false, english);
    EXPECT_EQ(row.figures, (std::vector<ScoreFigure>{
                               {"\u2014", true, english["Result.SingleCore"]},
                               {"\u2014", true, english["Result.MultiCore"]},
                               {"41877", false, "GPU"}}));
    EXPECT_EQ(ExternalScoresPresenter::row(App::cinebench2024, gpuOnly, 16, true, english).figures.size(), 2u);
    EXPECT_TRUE(ExternalScoresPresenter::row(App::cinebench2024, gpuOnly, 16, true, english).reservesThirdColumn);
    EXPECT_FALSE(ExternalScoresPresenter::row(App::cinebench2026, gpuOnly, 16, true, english).reservesThirdColumn);
}

TEST(ExternalCardPresenter, TheGpuButtonAndScoreSpeakTheInterfaceLanguage) {
    const Loc persian(AppLanguage::persian);
    const ExternalCardState state{.isExpanded = true, .canStart = true, .isRunning = false,
                                  .apps = {installed(App::cinebench2026)}};
    const auto view = ExternalCardPresenter::present(state, persian);
    EXPECT_EQ(view.sections[0].buttons.at(2).label, "گرافیک");
    const ExternalBenchmarkResult scored{.gpuScore = 41876.6};
    EXPECT_EQ(ExternalScoresPresenter::row(App::cinebench2026, scored, 18, false, persian).figures.at(2).label,
              "گرافیک");
}

TEST(ExternalRunPresenter, Clock) {
    for (const auto& [seconds, shown] : std::vector<std::pair<double, std::string>>{
             {299.4, "4:59"}, {3725, "62:05"}, {59.5, "1:00"}, {-3, "0:00"}, {0, "0:00"}})
        EXPECT_EQ(ExternalRunPresenter::clock(seconds), shown) << seconds;
}

TEST(ExternalRunPresenter, RunningShowsTheStepItsProgressOrTheRest) {
    using namespace std::chrono;
    ExternalRunState state{.isRunning = true, .stepIndex = 0, .stepCount = 1,
                           .currentStep = ExternalBenchmarkStep{App::geekbench, Kind::gpu},
                           .currentStepLabel = "Geekbench 6.3.0 \u2014 GPU", .fraction = 0.0};
    state.latest.cpuLoadPercent = 42.4;
    auto running = std::get<ExternalRunningView>(ExternalRunPresenter::present(state, english).section);
    EXPECT_FALSE(running.stepCounter) << "a one-step run has no counter";
    EXPECT_EQ(std::get<ExternalStepView>(running.phase),
              (ExternalStepView{"Geekbench 6.3.0 \u2014 GPU", 0.0, std::nullopt, "", std::nullopt}));
    EXPECT_EQ(running.status, " ");
    EXPECT_EQ(running.cpu.load, "42%");
    EXPECT_FALSE(running.cpu.temperature) << "no reading, no temperature";
    EXPECT_EQ(running.gpu.load, "\u2014");

    // A Cinebench step reports no fraction: the elapsed time and why there is no bar.
    state.stepCount = 7;
    state.currentStep = ExternalBenchmarkStep{App::cinebench2024, Kind::cpuSingleCore};
    state.fraction.reset();
    state.now = std::chrono::steady_clock::time_point{} + seconds(600);
    state.stepStartedAt = std::chrono::steady_clock::time_point{} + seconds(228);
    state.status = std::string("Running Single CPU Render Test...");
    running = std::get<ExternalRunningView>(ExternalRunPresenter::present(state, english).section);
    EXPECT_EQ(running.stepCounter, english.f("ExtRun.StepCounter", 1, 7)) << "never step 0";
    const auto& step = std::get<ExternalStepView>(running.phase);
    EXPECT_FALSE(step.progress);
    EXPECT_EQ(step.elapsed, english.f("ExtRun.Elapsed", "6:12"));
    EXPECT_EQ(step.elapsedClock, "6:12");
    EXPECT_EQ(step.noProgressNote, english["ExtRun.NoProgress"]);
    EXPECT_EQ(running.status, "Running Single CPU Render Test...");

    // A broken fraction is no progress, not a full bar.
    state.fraction = std::nan("");
    running = std::get<ExternalRunningView>(ExternalRunPresenter::present(state, english).section);
    EXPECT_EQ(std::get<ExternalStepView>(running.phase).progress, 0.0);

    state.cooldown = ExternalRunState::Rest{"Cinebench 2026", 299};
    state.status = LocalizedMessage("ExtRun.CooldownStatus");
    running = std::get<ExternalRunningView>(ExternalRunPresenter::present(state, english).section);
    EXPECT_EQ(std::get<ExternalRestView>(running.phase),
              (ExternalRestView{english.f("ExtRun.CooldownStep", "Cinebench 2026"), "4:59", english["ExtRun.SkipCooldown"]}));
    EXPECT_EQ(running.status, english["ExtRun.CooldownStatus"]);
}

TEST(ExternalRunPresenter, FinishedShowsScoresProblemsAndWhyThereIsNoScore) {
    ExternalRunState state{.isRunning = false};
    auto view = ExternalRunPresenter::present(state, english);
    auto finished = std::get<ExternalFinishedView>(view.section);
    EXPECT_EQ(finished.noScores, english["ExtRun.NoScores"]);
    EXPECT_FALSE(view.console.isShown) << "no output, no console after a run";
    state.wasCancelled = true;
    state.console = {{7, "Running"}};
    view = ExternalRunPresenter::present(state, english);
    EXPECT_EQ(std::get<ExternalFinishedView>(view.section).noScores, english["ExtRun.Cancelled"]);
    EXPECT_TRUE(view.console.isShown);

    state.scored = {{App::cinebench2024, "Cinebench 2024", {.singleCoreScore = 123.45}}};
    state.problems = {{"Geekbench 6.3.0 \u2014 GPU", LocalizedMessage("ExtRun.GeekbenchSaved.Body", "https://x/1")},
                      {std::nullopt, LocalizedMessage("ExtRun.Error", "disk full")}};
    state.csvWritten = true;
    finished = std::get<ExternalFinishedView>(ExternalRunPresenter::present(state, english).section);
    EXPECT_FALSE(finished.noScores);
    ASSERT_EQ(finished.apps.size(), 1u);
    EXPECT_EQ(finished.apps[0].scores.figures[0].value, "123");
    EXPECT_EQ(finished.apps[0].scores.size, 22);
    EXPECT_EQ(finished.problems.size(), 2u);
    EXPECT_EQ(finished.problems[0].stepLabel, "Geekbench 6.3.0 \u2014 GPU");
    EXPECT_NE(finished.problems[0].message.find("https://x/1"), std::string::npos);
    EXPECT_EQ(finished.problems[1], (ExternalProblemView{std::nullopt, english.f("ExtRun.Error", "disk full")}));
    EXPECT_EQ(finished.csvWritten, english["External.CsvWritten"]);
}

TEST(ResultPresenter, OutsideProblemsAndScores) {
    ResultScreenState state{.externalProblems = {{std::nullopt, LocalizedMessage("ExtRun.Error", "disk full")}},
                            .externalScores = {{App::geekbench, "Geekbench 6.3.0", {}},
                                               {App::cinebench2024, "Cinebench 2024", {.multiCoreScore = 1398}}}};
    const auto view = ResultPresenter::present(state, english);
    ASSERT_TRUE(view.problems) << "outside problems alone show the card";
    EXPECT_EQ(view.problems->problems, (std::vector<ResultProblem>{{std::nullopt, english.f("ExtRun.Error", "disk full")}}));
    ASSERT_TRUE(view.external);
    ASSERT_EQ(view.external->rows.size(), 1u) << "an app without any score is left out";
    EXPECT_EQ(view.external->rows[0].name, "Cinebench 2024");
    EXPECT_TRUE(view.external->rows[0].scores.reservesThirdColumn);

    state.externalScores.pop_back();
    EXPECT_FALSE(ResultPresenter::present(state, english).external);
}
