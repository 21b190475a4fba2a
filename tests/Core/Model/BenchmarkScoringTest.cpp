#include "Model/BenchmarkScoring.h"

#include "Model/BenchmarkBaseline.h"

#include <gtest/gtest.h>

using namespace zantiva;
using Kind = HealthComponentKind;
using Component = BenchmarkScoring::HealthComponent;

namespace {

std::vector<std::string> findings(std::size_t count) { return std::vector<std::string>(count, "Issue"); }

DisplayTestResult display(std::size_t issues) { return {.issues = findings(issues)}; }

KeyboardTestResult keyboard(std::size_t missing, std::size_t doublePressed = 0) {
    return {.totalKeysChecked = 78, .missingKeys = findings(missing), .doublePressedKeys = findings(doublePressed)};
}

MemoryTestResult memory(std::int64_t testedBytes, std::int64_t errors) {
    return {.testedBytes = testedBytes, .errorsDetected = errors};
}

BatteryHealthResult battery(double healthPercent, std::size_t issues = 0) {
    return {.batteryPresent = true, .healthPercent = healthPercent, .issues = findings(issues)};
}

DriveHealthReport drives(DriveHealthStatus status) {
    DriveHealthInfo d("nvme0n1");
    d.status = status;
    return {{d}, {}};
}

// A report with every part: the display scores 90 (one issue), every other component 100.
FinalBenchmarkReport fullReport() {
    return {.specs = SystemSpecs{}, .cpuResult = CpuBenchmarkResult{}, .gpuResult = GpuBenchmarkResult{},
            .memoryResult = memory(1 << 30, 0), .batteryResult = battery(91), .displayResult = display(1),
            .keyboardResult = keyboard(0), .audioPassed = true, .micCameraPassed = true, .inputPassed = true,
            .driveHealth = drives(DriveHealthStatus::good), .peripheralStatus = "All checked"};
}

} // namespace

TEST(BenchmarkScoring, ComponentsInFixedOrderOnlyForPartsPresent) {
    auto r = fullReport();
    r.cpuResult->resultsVerified = false;
    const std::vector<Component> expected = {
        {Kind::display, 90}, {Kind::keyboard, 100}, {Kind::audio, 100},  {Kind::micCamera, 100},
        {Kind::battery, 100}, {Kind::memory, 100},  {Kind::drives, 100}, {Kind::cpuIntegrity, 0},
    };
    EXPECT_EQ(BenchmarkScoring::healthComponents(r), expected);

    const FinalBenchmarkReport empty;
    EXPECT_TRUE(BenchmarkScoring::healthComponents(empty).empty());
    EXPECT_EQ(BenchmarkScoring::healthScore(empty), std::nullopt);
    EXPECT_EQ(BenchmarkScoring::deviceGrade(empty), std::nullopt);

    // GPU result, input verdict, bypassed camera and a verified CPU add nothing.
    FinalBenchmarkReport quiet;
    quiet.gpuResult = GpuBenchmarkResult{};
    quiet.inputPassed = false;
    quiet.cameraBypassed = true;
    quiet.cpuResult = CpuBenchmarkResult{};
    quiet.driveHealth = drives(DriveHealthStatus::unknown);
    EXPECT_TRUE(BenchmarkScoring::healthComponents(quiet).empty());
}

TEST(BenchmarkScoring, ComponentScores) {
    struct Case {
        const char* what;
        FinalBenchmarkReport report;
        std::vector<Component> components;
    };
    std::vector<Case> cases;
    const auto add = [&](const char* what, auto change, std::vector<Component> components) {
        FinalBenchmarkReport r;
        change(r);
        cases.push_back({what, r, std::move(components)});
    };
    add("3 display issues", [](auto& r) { r.displayResult = display(3); }, {{Kind::display, 70}});
    add("3 missing 2 double", [](auto& r) { r.keyboardResult = keyboard(3, 2); }, {{Kind::keyboard, 90}});
    add("audio failed", [](auto& r) { r.audioPassed = false; }, {{Kind::audio, 0}});
    add("mic failed", [](auto& r) { r.micCameraPassed = false; }, {{Kind::micCamera, 0}});
    add("no battery, issues listed",
        [](auto& r) {
            r.batteryResult = battery(40, 3);
            r.batteryResult->batteryPresent = false;
        },
        {});
    add("battery 2 issues", [](auto& r) { r.batteryResult = battery(40, 2); }, {{Kind::battery, 80}});
    add("memory errors", [](auto& r) { r.memoryResult = memory(4096, 1); }, {{Kind::memory, 0}});
    add("drive caution", [](auto& r) { r.driveHealth = drives(DriveHealthStatus::caution); }, {{Kind::drives, 50}});
    for (const auto& c : cases) EXPECT_EQ(BenchmarkScoring::healthComponents(c.report), c.components) << c.what;
}

TEST(BenchmarkScoring, HealthScoreIsTheMeanToOneDecimalAndGradeTakesTheBatteryPenalty) {
    FinalBenchmarkReport r;
    r.displayResult = display(0);
    r.keyboardResult = keyboard(0);
    r.audioPassed = false;
    EXPECT_EQ(BenchmarkScoring::healthScore(r), 66.7); // 100, 100, 0
    r.keyboardResult = keyboard(50);
    EXPECT_EQ(BenchmarkScoring::healthScore(r), 33.3); // 100, 0, 0

    // Eight components summing to 698: a mean of exactly 87.25, whose half goes up.
    auto all = fullReport();
    all.displayResult = display(0);
    all.keyboardResult = keyboard(1);
    all.cpuResult->resultsVerified = false;
    ASSERT_EQ(BenchmarkScoring::healthComponents(all).size(), 8u);
    EXPECT_EQ(BenchmarkScoring::healthScore(all), 87.3);

    // A display of 90 with a battery of 100 gives 95 (A); without the battery 90 (A).
    struct Case {
        std::optional<double> batteryHealth;
        bool batteryPresent;
        DeviceGrade grade;
    };
    const Case cases[] = {
        {75, true, DeviceGrade::b}, {0, true, DeviceGrade::a}, {65, false, DeviceGrade::a},
        {std::nullopt, false, DeviceGrade::a},
    };
    for (const auto& c : cases) {
        FinalBenchmarkReport graded;
        graded.displayResult = display(1);
        if (c.batteryHealth) {
            graded.batteryResult = battery(*c.batteryHealth);
            graded.batteryResult->batteryPresent = c.batteryPresent;
        }
        EXPECT_EQ(BenchmarkScoring::deviceGrade(graded), c.grade) << c.batteryHealth.value_or(-1);
    }
}

TEST(BenchmarkScoring, MergeKeepsWhatTheNewRunLacks) {
    const auto full = fullReport();
    FinalBenchmarkReport latest;
    latest.displayResult = display(3);
    latest.completedAt = full.completedAt + std::chrono::hours(1);
    const auto merged = BenchmarkScoring::merge(full, latest);

    auto expected = full;
    expected.displayResult = display(3);
    expected.completedAt = latest.completedAt;
    expected.overallScore = *BenchmarkScoring::healthScore(expected);
    EXPECT_EQ(merged, expected);
    EXPECT_EQ(merged.overallScore, 95.7); // 70 and six of 100

    // Nothing before: the new report with its score; nothing at all scores 0.
    EXPECT_EQ(BenchmarkScoring::merge(std::nullopt, latest).overallScore, 70.0);
    FinalBenchmarkReport empty;
    empty.overallScore = 42;
    EXPECT_EQ(BenchmarkScoring::merge(std::nullopt, empty).overallScore, 0.0);
}

TEST(BenchmarkScoring, MergeKeepsTheStoredDrivesAndBatteryOverOnesThatCouldntBeListed) {
    const auto stored = fullReport();
    FinalBenchmarkReport unread;
    unread.driveHealth = DriveHealthReport{.drives = {}, .checkedAt = {}, .listingError = "Too many open files"};
    unread.batteryResult = BatteryHealthResult{.listingError = "Input/output error"};
    const auto merged = BenchmarkScoring::merge(stored, unread);
    EXPECT_EQ(merged.driveHealth, stored.driveHealth);
    EXPECT_EQ(merged.batteryResult, stored.batteryResult);

    // With nothing stored the unknown stays, to say why; lists that were read replace the stored ones.
    EXPECT_EQ(BenchmarkScoring::merge(std::nullopt, unread).driveHealth, unread.driveHealth);
    FinalBenchmarkReport none;
    none.driveHealth = DriveHealthReport{};
    none.batteryResult = BatteryHealthResult{};
    EXPECT_EQ(BenchmarkScoring::merge(stored, none).driveHealth, none.driveHealth);
    EXPECT_EQ(BenchmarkScoring::merge(stored, none).batteryResult, none.batteryResult);
}

TEST(BenchmarkScoring, MergeOfVerdictCompanions) {
    struct Case {
        const char* what;
        std::optional<bool> newMic;
        bool newBypassed, oldBypassed;
        std::optional<bool> newInput;
        std::optional<std::string> newStatus, oldStatus;
        bool bypassed;
        std::optional<bool> mic;
        std::optional<std::string> status;
    };
    const Case cases[] = {
        {"camera bypassed now, passed before", std::nullopt, true, false, true, std::nullopt, std::nullopt, true, true,
         std::nullopt},
        {"no camera step now keeps the old flag", std::nullopt, false, true, true, std::nullopt, std::nullopt, true,
         true, std::nullopt},
        {"a new camera verdict brings its own flag", false, false, true, true, std::nullopt, std::nullopt, false, false,
         std::nullopt},
        {"an input verdict clears the old status", true, false, false, true, std::nullopt, "N/A (Bypassed by User)",
         false, true, std::nullopt},
        {"no input step keeps the old status", true, false, false, std::nullopt, std::nullopt,
         "N/A (Bypassed by User)", false, true, "N/A (Bypassed by User)"},
        {"a new status wins", true, false, false, std::nullopt, "Checked", "N/A (Bypassed by User)", false, true,
         "Checked"},
    };
    for (const auto& c : cases) {
        FinalBenchmarkReport before;
        before.micCameraPassed = true;
        before.cameraBypassed = c.oldBypassed;
        before.inputPassed = false;
        before.peripheralStatus = c.oldStatus;
        FinalBenchmarkReport latest;
        latest.micCameraPassed = c.newMic;
        latest.cameraBypassed = c.newBypassed;
        latest.inputPassed = c.newInput;
        latest.peripheralStatus = c.newStatus;
        const auto merged = BenchmarkScoring::merge(before, latest);
        EXPECT_EQ(merged.cameraBypassed, c.bypassed) << c.what;
        EXPECT_EQ(merged.micCameraPassed, c.mic) << c.what;
        EXPECT_EQ(merged.peripheralStatus, c.status) << c.what;
    }
}

TEST(BenchmarkScoring, DropsCpuResultsOfAnotherScoringVersion) {
    auto r = fullReport();
    r.cpuResult->scoringVersion = 2;
    r.cpuResult->resultsVerified = false;
    r.overallScore = 12;
    EXPECT_TRUE(BenchmarkScoring::dropIncompatibleResults(r));
    EXPECT_EQ(r.cpuResult, std::nullopt);
    EXPECT_EQ(r.overallScore, 98.6); // 90 and six of 100
    EXPECT_FALSE(BenchmarkScoring::dropIncompatibleResults(r));

    FinalBenchmarkReport current;
    current.cpuResult = CpuBenchmarkResult{};
    current.overallScore = 12;
    EXPECT_FALSE(BenchmarkScoring::dropIncompatibleResults(current));
    EXPECT_EQ(current.overallScore, 12);

    FinalBenchmarkReport onlyCpu;
    onlyCpu.cpuResult = CpuBenchmarkResult{};
    onlyCpu.cpuResult->scoringVersion = BenchmarkBaseline::scoringVersion + 1;
    onlyCpu.overallScore = 12;
    EXPECT_TRUE(BenchmarkScoring::dropIncompatibleResults(onlyCpu));
    EXPECT_EQ(onlyCpu.overallScore, 0);
}
