// The display check's page under a real suite run, the full-screen test's pages, and the
// dead-pixel pattern. The test's window is a real top-level window on the offscreen screen.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "../App/AppModelFixture.h"
#include "../Runners/SuiteTestSupport.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "LocalizedViews/LocNotifier.h"
#include "Model/TestPlans.h"
#include "Stations/DisplayDeadPixelGrid.h"
#include "Stations/DisplayStation.h"
#include "Stations/DisplayTestController.h"
#include "Stations/DisplayTestScreen.h"
#include "Stations/StationView.h"
#include "Stations/StopConfirmation.h"
#include "Stations/SuiteScreen.h"
#include "Support/NativeKey.h"
#include "Typography/ProseLabel.h"

namespace zantiva::testing {
namespace {

using enum TestModule;

class DisplayStationTest : public AppModelFixture {
protected:
    void SetUp() override {
        AppModelSetup tiny = setup();
        tiny.suite = tinyConfiguration();
        makeModel(std::move(tiny));
        bindSuiteScreen(screen, *model, notifier);
        screen.show();
        runner().start(TestPlans::displayOnly);
        ASSERT_TRUE(runUntil([&] { return runner().isAwaitingStation() && page(); }));
    }

    TestSuiteRunner& runner() { return model->suite(); }
    DisplayStation* page() const {
        auto* station = qobject_cast<StationView*>(screen.station());
        return station ? qobject_cast<DisplayStation*>(station->page()) : nullptr;
    }
    DisplayTestController& controller() const { return *page()->controller(); }
    DisplayTestScreen& test() const { return *controller().screen(); }

    LocNotifier notifier{loc};
    SuiteScreen screen;
};

TEST_F(DisplayStationTest, TheStartButtonIsOffWhileTheTestShowsAndASecondStartReportsNothing) {
    page()->startButton()->click();
    ASSERT_TRUE(controller().isShowing());
    EXPECT_TRUE(controller().overlay().window()->isVisible());
    EXPECT_FALSE(page()->startButton()->isEnabled());
    EXPECT_FALSE(page()->runningNote()->isHidden());

    page()->startButton()->click();
    bool heard = false;
    EXPECT_FALSE(controller().present(nullptr, [&](auto) { heard = true; }));
    EXPECT_FALSE(heard);
    EXPECT_TRUE(runner().isAwaitingStation()) << "nothing was reported for the module";
    EXPECT_TRUE(controller().isShowing()) << "the first test goes on";

    // The exit button leaves the test: skipped, no display result.
    test().exitButton()->click();
    ASSERT_TRUE(runUntil([&] { return !runner().isRunning(); }));
    EXPECT_EQ(runner().statuses().at(display), ModuleStatus::skipped);
    EXPECT_FALSE(model->report().displayResult);
}

TEST_F(DisplayStationTest, StopFromElsewhereTakesTheTestDownAndReportsNothing) {
    page()->startButton()->click();
    QPointer<QWidget> window = controller().overlay().window();
    ASSERT_TRUE(window);
    screen.stopButton()->click();
    screen.stopConfirmation()->confirmButton()->click();
    ASSERT_TRUE(runUntil([&] { return !runner().isRunning(); }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(runner().statuses().at(display), ModuleStatus::cancelled);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QLineEdit field;
    pressNativeKey(Evdev::escape, Qt::Key_Escape, {}, {}, &field);
    pressNativeKey(Evdev::a, Qt::Key_A, "a", {}, &field);
    EXPECT_EQ(field.text(), "a") << "no key filter outlived the test";
}

TEST_F(DisplayStationTest, EscapeSkipsAndTheChecklistReportsTheTickedDefects) {
    page()->startButton()->click();
    pressNativeKey(Evdev::escape, Qt::Key_Escape, {}, {}, &test());
    ASSERT_TRUE(runUntil([&] { return !runner().isRunning(); }));
    EXPECT_EQ(runner().statuses().at(display), ModuleStatus::skipped);

    runner().start(TestPlans::displayOnly);
    ASSERT_TRUE(runUntil([&] { return runner().isAwaitingStation() && page(); }));
    page()->startButton()->click();
    // Clicks step on, except on the checklist.
    while (controller().state().step().page != DisplayTestState::Page::checklist) QTest::mouseClick(&test(), Qt::LeftButton);
    QTest::mouseClick(&test(), Qt::LeftButton);
    EXPECT_TRUE(controller().isShowing());
    test().checkBoxes().at(2)->click();
    test().finishButton()->click();
    ASSERT_TRUE(runUntil([&] { return !runner().isRunning(); }));
    EXPECT_EQ(runner().statuses().at(display), ModuleStatus::passed) << "the defects are scored, not the module";
    ASSERT_TRUE(model->report().displayResult);
    EXPECT_EQ(model->report().displayResult->issues, std::vector<std::string>{"Display.Issue.Brightness"});
}

TEST(DisplayDeadPixelGrid, LightsOneDevicePixelInFourEachWay) {
    DisplayDeadPixelGrid grid;
    grid.resize(0, 6);
    EXPECT_TRUE(grid.pattern().isNull());
    grid.resize(9, 6);
    const QImage pattern = grid.pattern();
    ASSERT_EQ(pattern.size(), QSize(9, 6));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(pattern.pixel(x, y), (x % 4 == 0 && y % 4 == 0) ? qRgb(255, 255, 255) : qRgb(0, 0, 0)) << x << "," << y;
}

} // namespace
} // namespace zantiva::testing
