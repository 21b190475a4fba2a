#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Localization/Loc.h"
#include "Presenters/ResultPresenter.h"

using namespace zantiva;

namespace {

const Loc english(AppLanguage::english);

BatteryHealthResult battery(double healthPercent, std::vector<std::string> issues = {}) {
    BatteryHealthResult result;
    result.batteryPresent = true;
    result.healthPercent = healthPercent;
    result.cycleCount = 412;
    result.issues = std::move(issues);
    return result;
}

} // namespace

TEST(ResultPresenter, ScoreBadgeThresholds) {
    using enum PaletteColor;
    const struct {
        double score;
        BadgeValue badge;
    } rows[] = {
        {100, {"100", secondary, outline}}, {90, {"90", secondary, outline}},  {89.9, {"90", tertiary, outline}},
        {50, {"50", tertiary, outline}},    {49.9, {"50", primary, onPrimary}}, {0, {"0", primary, onPrimary}},
        {std::nan(""), {"\u2014", primary, onPrimary}},
    };
    for (const auto& row : rows) EXPECT_EQ(ResultPresenter::scoreBadge(row.score), row.badge) << row.score;
}

TEST(ResultPresenter, AReportWithoutHealthComponentsHasNoGrade) {
    const auto view = ResultPresenter::present({}, english);
    EXPECT_EQ(view.grade, (ResultGradeView{std::nullopt, english["Result.Overall"],
                                           english["Result.Grade.PerformanceOnly"], std::nullopt,
                                           english["Result.PerformanceOnlyNote"], std::nullopt}));
    EXPECT_EQ(view.performance.notRunYet, english["Bench.NotRunYet"]);
    EXPECT_TRUE(view.checks.rows.empty());
    EXPECT_EQ(view.checks.notRunYet, english["Bench.NotRunYet"]);
    EXPECT_FALSE(view.problems || view.driveHealth || view.storage);
}

TEST(ResultPresenter, BatteryPenaltyLineOnlyWhenTheBatteryLoweredTheGrade) {
    // Audio 100 and a battery with one issue (90): 95.0, an A by the score alone.
    const struct {
        double healthPercent;
        DeviceGrade grade;
        std::string title;
        bool penalty;
    } rows[] = {
        {85, DeviceGrade::a, english["Result.Grade.Excellent"], false},
        {76.4, DeviceGrade::b, english["Result.Grade.Good"], true},
        {65, DeviceGrade::c, english["Result.Grade.Fair"], true},
    };
    for (const auto& row : rows) {
        FinalBenchmarkReport report;
        report.audioPassed = true;
        report.batteryResult = battery(row.healthPercent, {"Battery.Issue.Health"});
        const auto grade = ResultPresenter::present({.report = report}, english).grade;
        EXPECT_EQ(grade.grade, row.grade);
        EXPECT_EQ(grade.title, row.title);
        EXPECT_EQ(grade.healthScore, english.f("Result.HealthScore", 95.0));
        EXPECT_EQ(grade.note, english["Result.VerdictNote"]);
        EXPECT_EQ(grade.batteryPenalty.has_value(), row.penalty) << row.healthPercent;
    }
}

TEST(ResultPresenter, FailuresFollowThePlanOrder) {
    const std::map<TestModule, LocalizedMessage> failures{
        {TestModule::cpuBenchmark, LocalizedMessage("Suite.StationFailed", "cpu")},
        {TestModule::input, LocalizedMessage("Suite.StationFailed", "keys")},
        {TestModule::gpuBenchmark, LocalizedMessage("Gpu.Error", "no device")},
    };
    // The plan lists input before the GPU here, and leaves the CPU out.
    const auto view = ResultPresenter::present(
        {.plan = {TestModule::input, TestModule::gpuBenchmark, TestModule::ramTest}, .failures = failures}, english);
    ASSERT_TRUE(view.problems);
    EXPECT_EQ(view.problems->title, english["ExtRun.Problems"]);
    EXPECT_EQ(view.problems->problems,
              (std::vector<ResultProblem>{
                  {english["Module.Input.Title"], english.f("Suite.StationFailed", "keys")},
                  {english["Module.GpuBenchmark.Title"], english.f("Gpu.Error", "no device")}}));
    EXPECT_FALSE(ResultPresenter::present({.plan = {TestModule::ramTest}, .failures = failures}, english).problems);
}

TEST(ResultPresenter, CheckDetails) {
    using Kind = HealthComponentKind;
    FinalBenchmarkReport report;
    EXPECT_EQ(ResultPresenter::detail(Kind::display, report, english), english["Result.NoIssues"]);
    EXPECT_FALSE(ResultPresenter::detail(Kind::keyboard, report, english));
    EXPECT_FALSE(ResultPresenter::detail(Kind::micCamera, report, english));

    report.displayResult = DisplayTestResult{.issues = {"Display.Issue.DeadPixels", "Display.Issue.Bleed"}};
    report.keyboardResult = KeyboardTestResult{.totalKeysChecked = 78, .missingKeys = {"F7"}, .doublePressedKeys = {"K"}};
    report.cameraBypassed = true;
    report.batteryResult = battery(76.45, {"Battery.Issue.Cycles", "Battery.Issue.Health"});
    report.memoryResult = MemoryTestResult{.testedBytes = 1, .errorsDetected = 3};
    const std::string cycles = english.f("Battery.Issue.Cycles", 412);
    const struct {
        Kind kind;
        std::optional<std::string> detail;
    } rows[] = {
        {Kind::display, english["Display.Issue.DeadPixels"] + " \u00B7 " + english["Display.Issue.Bleed"]},
        {Kind::keyboard, english.f("Result.KeyboardDetail", 4)},
        {Kind::micCamera, english["Result.CameraBypassed"]},
        {Kind::battery, "76.5% \u00B7 " + cycles + " \u00B7 " + english.f("Battery.Issue.Health", 76.45)},
        {Kind::memory, english.f("Result.MemoryErrors", 3)},
        {Kind::audio, std::nullopt},
        {Kind::drives, std::nullopt},
        {Kind::cpuIntegrity, std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(ResultPresenter::detail(row.kind, report, english), row.detail);

    report.batteryResult->healthPercent = std::nan("");
    EXPECT_EQ(ResultPresenter::detail(Kind::battery, report, english),
              "\u2014 \u00B7 " + cycles + " \u00B7 " + english.f("Battery.Issue.Health", "\u2014"));
}

TEST(ResultPresenter, PerformanceSections) {
    FinalBenchmarkReport report;
    report.cpuResult = CpuBenchmarkResult{};
    report.cpuResult->score = 12840.4;
    report.cpuResult->singleCoreScore = 1612.44;
    report.cpuResult->threadsUsed = 16;
    report.cpuResult->resultsVerified = false;
    report.cpuResult->wrongResults = 2;
    report.gpuResult = GpuBenchmarkResult{};
    report.gpuResult->score = 245.34;
    report.gpuResult->averageFrameTimeMs = 8.191;
    report.gpuResult->sustainedScore = 238.9;
    const auto view = ResultPresenter::present({.report = report}, english).performance;
    ASSERT_TRUE(view.cpu && view.gpu);
    EXPECT_EQ(view.cpu->score, "12,840");
    EXPECT_EQ(view.cpu->singleCore.value, "1612.4");
    EXPECT_FALSE(view.cpu->sustained);
    EXPECT_EQ(view.cpu->detail, english.f("Result.CpuDetailNoTemp", 16));
    EXPECT_EQ(view.cpu->integrity.color, PaletteColor::primary);
    EXPECT_EQ(view.gpu->score, "245.3");
    EXPECT_EQ(view.gpu->detail, english.f("Result.GpuDetailSustained", 8.191, 238.9));
    EXPECT_FALSE(view.memory || view.notRunYet);

    // Broken figures are dashes, never "nan" or "inf".
    report.cpuResult->score = std::nan("");
    report.cpuResult->peakTemperatureCelsius = std::numeric_limits<double>::infinity();
    report.gpuResult->sustainedScore.reset();
    report.gpuResult->averageFrameTimeMs = std::nan("");
    const auto broken = ResultPresenter::present({.report = report}, english).performance;
    EXPECT_EQ(broken.cpu->score, "\u2014");
    EXPECT_EQ(broken.cpu->detail, english.f("Result.CpuDetail", 16, "\u2014"));
    EXPECT_EQ(broken.gpu->detail, english.f("Result.GpuDetail", "\u2014"));
}

TEST(ResultPresenter, ChecksCardExtrasAndTheStorageCard) {
    FinalBenchmarkReport report;
    report.peripheralStatus = "bypassed";
    report.batteryResult = BatteryHealthResult{}; // no battery: not scored
    StorageBenchmarkResult storage;
    storage.seqRead = StorageTestMeasurement{6842.7, 6525.9, 1.226};
    const auto view = ResultPresenter::present({.report = report, .storageResult = storage, .isStorageRunning = true}, english);
    EXPECT_EQ(view.checks.peripherals, english["Result.Peripherals"] + ": " + english["Status.Bypassed"]);
    EXPECT_EQ(view.checks.batteryNotScored, english["Battery.NotScored"]);
    ASSERT_TRUE(view.storage);
    EXPECT_EQ(view.storage->columns[0], (ResultStorageColumn{"6,843", english["Result.SsdSeqRead"]}));
    EXPECT_EQ(view.storage->columns[1].value, "\u2014");
    EXPECT_FALSE(view.storage->isEnabled); // not while a storage test runs

    report.driveHealth = DriveHealthReport{};
    EXPECT_FALSE(ResultPresenter::present({.report = report}, english).driveHealth);

    // Lists that couldn't be read say so, rather than "no battery" or no card at all.
    report.driveHealth->listingError = "Too many open files";
    report.batteryResult->listingError = "Input/output error";
    const auto unread = ResultPresenter::present({.report = report}, english);
    ASSERT_TRUE(unread.driveHealth);
    EXPECT_EQ(unread.driveHealth->unread, english.f("DriveHealth.ListUnread", "Too many open files"));
    EXPECT_EQ(unread.checks.batteryNotScored, english.f("Battery.Unread", "Input/output error"));
}
