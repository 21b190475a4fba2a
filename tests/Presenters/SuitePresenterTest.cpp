#include <gtest/gtest.h>

#include "Localization/Loc.h"
#include "Model/TestPlans.h"
#include "Presenters/StationFramePresenter.h"
#include "Presenters/SuitePresenter.h"

using namespace zantiva;

namespace {

const Loc english(AppLanguage::english);

} // namespace

TEST(SuitePresenter, RowsFollowThePlanWithTheirBadgesAndFailures) {
    const LocalizedMessage failure("Suite.StationFailed", "no memory");
    const SuiteState state{
        .plan = TestPlans::performance,
        .statuses = {{TestModule::cpuBenchmark, ModuleStatus::failed}, {TestModule::gpuBenchmark, ModuleStatus::running}},
        .failures = {{TestModule::cpuBenchmark, failure}},
        .current = TestModule::gpuBenchmark,
        .notice = failure,
        .isRunning = true,
    };
    const SuiteView view = SuitePresenter::present(state, english);
    ASSERT_EQ(view.rows.size(), 3u);
    EXPECT_EQ(view.rows[0], (SuiteRow{TestModule::cpuBenchmark, "CPU Benchmark", false, "Failed", PaletteColor::primary,
                                      PaletteColor::text, "This station couldn't run: no memory"}));
    EXPECT_EQ(view.rows[1], (SuiteRow{TestModule::gpuBenchmark, "GPU Render Test", true, "Running", PaletteColor::tertiary,
                                      PaletteColor::outline, std::nullopt}));
    // A module without a status is pending.
    EXPECT_EQ(view.rows[2], (SuiteRow{TestModule::ramTest, "Memory Test", false, "Pending", PaletteColor::card,
                                      PaletteColor::text, std::nullopt}));
    EXPECT_EQ(view.notice, "This station couldn't run: no memory");
    EXPECT_FALSE(view.resumed);
    EXPECT_FALSE(view.readingDrives);
    EXPECT_TRUE(view.canStop);
    EXPECT_EQ(view.stop, "■ Stop Test");
    EXPECT_EQ(view.stopConfirmation.confirm, "Confirm Stop");
}

TEST(SuitePresenter, BadgeColoursOfEveryStatus) {
    struct Case {
        ModuleStatus status;
        PaletteColor background;
        PaletteColor foreground;
    };
    const Case cases[] = {
        {ModuleStatus::passed, PaletteColor::secondary, PaletteColor::outline},
        {ModuleStatus::skipped, PaletteColor::card, PaletteColor::text},
        {ModuleStatus::cancelled, PaletteColor::card, PaletteColor::text},
        {ModuleStatus::bypassed, PaletteColor::card, PaletteColor::text},
    };
    for (const Case& c : cases) {
        const SuiteView view = SuitePresenter::present({.plan = {TestModule::input}, .statuses = {{TestModule::input, c.status}}}, english);
        EXPECT_EQ(view.rows[0].badgeBackground, c.background);
        EXPECT_EQ(view.rows[0].badgeForeground, c.foreground);
    }
}

TEST(SuitePresenter, NoticesOfAResumedRunReadingItsDrives) {
    const SuiteView view = SuitePresenter::present({.wasResumed = true, .isReadingDrives = true}, english);
    EXPECT_EQ(view.resumed, "Resumed \u2014 stations finished in the interrupted run are kept.");
    EXPECT_EQ(view.readingDrives, "Reading drive health (SMART)\u2026");
    EXPECT_FALSE(view.canStop);
}

TEST(StationFramePresenter, HeadingAndVerdict) {
    EXPECT_EQ(StationFramePresenter::heading(TestModule::battery, english),
              (StationHeading{"Battery Health", "Design vs. full-charge capacity + discharge rate under load"}));
    EXPECT_EQ(StationFramePresenter::verdict(false, english), (VerdictView{"Continue", "Report Issue", false}));
}
