#include "Model/BenchmarkScoring.h"

#include "Model/BenchmarkBaseline.h"

#include <gtest/gtest.h>

using namespace zantiva;
using Kind = HealthComponentKind;
using Component = BenchmarkScoring::HealthComponent;

namespace {

std::vector<std::string> findings(std::size_t count) { return std::vector<std::string>(count, "Issue"); }

DisplayTestResult display(std::size_t issues) {
    DisplayTestResult d;
    d.issues = findings(issues);
    return d;
}

KeyboardTestResult keyboard(std::size_t missing, std::size_t doublePressed = 0) {
    KeyboardTestResult k;
    k.totalKeysChecked = 78;
    k.missingKeys = findings(missing);
    k.doublePressedKeys = findings(doublePressed);
    return k;
}

MemoryTestResult memory(std::int64_t testedBytes, std::int64_t errors) {
    MemoryTestResult m;
    m.testedBytes = testedBytes;
    m.errorsDetected = errors;
    return m;
}

CpuBenchmarkResult cpu(bool verified, std::int64_t scoringVersion = BenchmarkBaseline::scoringVersion) {
    CpuBenchmarkResult c;
    c.resultsVerified = verified;
    c.scoringVersion = scoringVersion;
    return c;
}

BatteryHealthResult battery(double healthPercent, std::size_t issues = 0) {
    BatteryHealthResult b;
    b.batteryPresent = true;
    b.healthPercent = healthPercent;
    b.issues = findings(issues);
    return b;
}

DriveHealthReport drives(DriveHealthStatus status) {
    DriveHealthInfo d("nvme0n1");
    d.status = status;
    return {{d}, {}};
}

// A report with every part: the display scores 90 (one issue), every other component 100.
FinalBenchmarkReport fullReport() {
    FinalBenchmarkReport r;
    r.specs = SystemSpecs{};
    r.cpuResult = CpuBenchmarkResult{};
    r.gpuResult = GpuBenchmarkResult{};
    r.memoryResult = memory(1 << 30, 0);
    r.batteryResult = battery(91);
    r.displayResult = display(1);
    r.keyboardResult = keyboard(0);
    r.audioPassed = true;
    r.micCameraPassed = true;
    r.inputPassed = true;
    r.driveHealth = drives(DriveHealthStatus::good);
    r.peripheralStatus = "All checked";
    return r;
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
    add("10 display issues", [](auto& r) { r.displayResult = display(10); }, {{Kind::display, 0}});
    add("12 display issues", [](auto& r) { r.displayResult = display(12); }, {{Kind::display, 0}});
    add("60 missing keys", [](auto& r) { r.keyboardResult = keyboard(60); },
        {{Kind::keyboard, 0}});
    add("3 missing 2 double",
        [](auto& r) { r.keyboardResult = keyboard(3, 2); },
        {{Kind::keyboard, 90}});
    add("audio failed", [](auto& r) { r.audioPassed = false; }, {{Kind::audio, 0}});
    add("mic failed", [](auto& r) { r.micCameraPassed = false; }, {{Kind::micCamera, 0}});
    add("no battery, issues listed",
        [](auto& r) {
            r.batteryResult = battery(40, 3);
            r.batteryResult->batteryPresent = false;
        },
        {});
    add("battery 2 issues", [](auto& r) { r.batteryResult = battery(40, 2); }, {{Kind::battery, 80}});
    add("memory 0 bytes", [](auto& r) { r.memoryResult = memory(0, 0); }, {{Kind::memory, 0}});
    add("memory errors", [](auto& r) { r.memoryResult = memory(4096, 1); },
        {{Kind::memory, 0}});
    add("drive caution", [](auto& r) { r.driveHealth = drives(DriveHealthStatus::caution); }, {{Kind::drives, 50}});
    add("drive bad", [](auto& r) { r.driveHealth = drives(DriveHealthStatus::bad); }, {{Kind::drives, 0}});
    for (const auto& c : cases) EXPECT_EQ(BenchmarkScoring::healthComponents(c.report), c.components) << c.what;
}

TEST(BenchmarkScoring, HealthScoreIsTheMeanToOneDecimal) {
    struct Case {
        std::size_t displayIssues, keyboardMisses;
        std::optional<bool> audio, micCamera;
        std::optional<double> score;
    };
    const Case cases[] = {
        {0, 5, std::nullopt, std::nullopt, 95.0}, // 100, 90
        {0, 0, false, std::nullopt, 66.7},        // 100, 100, 0
        {0, 50, false, std::nullopt, 33.3},       // 100, 0, 0
        {1, 0, true, std::nullopt, 96.7},         // 90, 100, 100
        {2, 10, true, false, 65.0},               // 80, 80, 100, 0
    };
    for (const auto& c : cases) {
        FinalBenchmarkReport r;
        r.displayResult = display(c.displayIssues);
        r.keyboardResult = keyboard(c.keyboardMisses);
        r.audioPassed = c.audio;
        r.micCameraPassed = c.micCamera;
        EXPECT_EQ(BenchmarkScoring::healthScore(r), c.score) << c.displayIssues << "/" << c.keyboardMisses;
    }

    // Eight components summing to 698: a mean of exactly 87.25, whose half goes up.
    auto all = fullReport();
    all.displayResult = display(0);
    all.keyboardResult = keyboard(1);
    all.cpuResult->resultsVerified = false;
    ASSERT_EQ(BenchmarkScoring::healthComponents(all).size(), 8u);
    EXPECT_EQ(BenchmarkScoring::healthScore(all), 87.3);

    // A display of 100 and a failed CPU check average to 50.
    FinalBenchmarkReport failedCpu;
    failedCpu.displayResult = display(0);
    failedCpu.cpuResult = cpu(false);
    EXPECT_EQ(BenchmarkScoring::healthScore(failedCpu), 50.0);
}

TEST(BenchmarkScoring, GradeWithBatteryPenalty) {
    struct Case {
        std::size_t displayIssues;
        std::optional<double> batteryHealth; // a present battery with no issues (score 100)
        bool batteryPresent;
        DeviceGrade grade;
    };
    // Display 90 with a present battery of 100 gives a health score of 95; without the battery
    // the score is 90.
    const Case cases[] = {
        {1, 75, true, DeviceGrade::b},  {1, 65, true, DeviceGrade::c}, {1, 0, true, DeviceGrade::a},
        {1, 80, true, DeviceGrade::a},  {1, 65, false, DeviceGrade::a}, {10, 50, true, DeviceGrade::f},
        {0, std::nullopt, false, DeviceGrade::s},
    };
    for (const auto& c : cases) {
        FinalBenchmarkReport r;
        r.displayResult = display(c.displayIssues);
        if (c.batteryHealth) {
            r.batteryResult = battery(*c.batteryHealth);
            r.batteryResult->batteryPresent = c.batteryPresent;
        }
        EXPECT_EQ(BenchmarkScoring::deviceGrade(r), c.grade) << c.displayIssues << " " << c.batteryHealth.value_or(-1);
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
    onlyCpu.cpuResult = cpu(true, 4);
    onlyCpu.overallScore = 12;
    EXPECT_TRUE(BenchmarkScoring::dropIncompatibleResults(onlyCpu));
    EXPECT_EQ(onlyCpu.overallScore, 0);
}
