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
    const std::string failed = english.f("Suite.StationFailed", "no memory");
    EXPECT_EQ(view.rows[0], (SuiteRow{TestModule::cpuBenchmark, english["Module.CpuBenchmark.Title"], false,
                                      english["Status.Failed"], PaletteColor::primary, PaletteColor::text, failed}));
    EXPECT_EQ(view.rows[1], (SuiteRow{TestModule::gpuBenchmark, english["Module.GpuBenchmark.Title"], true,
                                      english["Status.Running"], PaletteColor::tertiary, PaletteColor::outline,
                                      std::nullopt}));
    // A module without a status is pending.
    EXPECT_EQ(view.rows[2], (SuiteRow{TestModule::ramTest, english["Module.RamTest.Title"], false,
                                      english["Status.Pending"], PaletteColor::card, PaletteColor::text, std::nullopt}));
    EXPECT_EQ(view.notice, failed);
    EXPECT_FALSE(view.resumed);
    EXPECT_FALSE(view.readingDrives);
    EXPECT_TRUE(view.canStop);
    EXPECT_EQ(view.stop, english["Suite.Stop"]);
    EXPECT_EQ(view.stopConfirmation.confirm, english["Suite.StopConfirm.Confirm"]);
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
    EXPECT_EQ(view.resumed, english["Suite.Resumed"]);
    EXPECT_EQ(view.readingDrives, english["Suite.ReadingSmart"]);
    EXPECT_FALSE(view.canStop);
}

TEST(StationFramePresenter, HeadingAndVerdict) {
    EXPECT_EQ(StationFramePresenter::heading(TestModule::battery, english),
              (StationHeading{english["Module.Battery.Title"], english["Module.Battery.Subtitle"]}));
    EXPECT_EQ(StationFramePresenter::verdict(false, english),
              (VerdictView{english["Common.Continue"], english["Common.ReportIssue"], false}));
}
