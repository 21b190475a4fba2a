#include <gtest/gtest.h>

#include "Localization/Loc.h"
#include "Model/TestPlans.h"
#include "Presenters/DashboardPresenter.h"
#include "Presenters/LauncherPresenter.h"

using namespace zantiva;

// The launcher and the resume button follow one rule: no run holds the gate and the specs
// are read.
TEST(LauncherPresenter, RunsStartOnlyWhenNothingRunsAndTheSpecsAreRead) {
    const Loc loc(AppLanguage::english);
    const struct {
        bool busy;
        bool hasSpecs;
        bool enabled;
    } cases[] = {{false, true, true}, {true, true, false}, {false, false, false}, {true, false, false}};
    for (const auto& c : cases) {
        const DashboardState state{.resumable = BenchmarkSession{},
                                   .launcher = {.isRunBusy = c.busy, .hasSpecs = c.hasSpecs}};
        const DashboardView view = DashboardPresenter::present(state, loc);
        EXPECT_EQ(view.launcher.isEnabled, c.enabled) << c.busy << c.hasSpecs;
        ASSERT_TRUE(view.resume);
        EXPECT_EQ(view.resume->canResume, c.enabled) << c.busy << c.hasSpecs;
    }
}

TEST(LauncherPresenter, OffersTheSingleTestPlansInTheirOrderUnderTheirNames) {
    const Loc english(AppLanguage::english);
    const LauncherView view = LauncherPresenter::present({}, english);
    EXPECT_EQ(view.fullRun.plan, TestPlans::full);
    ASSERT_EQ(view.singleTests.size(), TestPlans::singleTestPlans.size());
    for (std::size_t i = 0; i < view.singleTests.size(); ++i) {
        EXPECT_EQ(view.singleTests[i].plan, TestPlans::singleTestPlans[i]) << i;
        EXPECT_NE(view.singleTests[i].label.front(), '[') << "no message for button " << i;
    }
    EXPECT_EQ(view.singleTests[5], (LaunchButton{english["Dashboard.Test.AudioMic"], TestPlans::audioMic}));
    EXPECT_EQ(view.singleTests[4].plan, TestPlans::performance);
}
