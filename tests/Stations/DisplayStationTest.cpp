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
#include "Stations/DisplayPacedSquare.h"
#include "Stations/DisplayStation.h"
#include "Stations/DisplayTestController.h"
#include "Stations/DisplayTestScreen.h"
#include "Stations/StationView.h"
#include "Stations/StopConfirmation.h"
#include "Stations/SuiteScreenBinding.h"
#include "Support/NativeKey.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"

namespace zantiva::testing {
namespace {

using enum TestModule;

// Counts the paints a widget gets from the event loop.
struct PaintCount : QObject {
    explicit PaintCount(QWidget& widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
    int count = 0;
};

class DisplayStationTest : public AppModelFixture {
protected:
    void SetUp() override {
        AppModelSetup tiny = setup();
        tiny.suite = tinyConfiguration();
        makeModel(std::move(tiny));
        bindSuiteScreen(screen, model->suite(), *model, notifier);
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

TEST_F(DisplayStationTest, WithoutGlTheSquareMovesOnTheScreensPaceAndNoRateIsStored) {
    if (DisplayTestScreen::availableClock() == DisplayTestScreen::SquareClock::display)
        GTEST_SKIP() << "this platform has GL; the GL clock runs under the two-screen test";
    page()->startButton()->click();
    while (controller().state().step().page != DisplayTestState::Page::refresh) QTest::mouseClick(&test(), Qt::LeftButton);
    ASSERT_FALSE(test().refreshClock());
    DisplayPacedSquare* square = test().pacedSquare();
    ASSERT_TRUE(square);
    ASSERT_TRUE(square->isVisible());
    const double hz = controller().overlay().window()->screen()->refreshRate();
    EXPECT_EQ(square->pace(), std::lround(1000 / (hz > 1 ? hz : 60)));

    // Redrawn again and again by its timer, the square a little further each time.
    const auto row = [&] {
        const QImage shot = square->grab().toImage();
        return shot.copy(0, int(0.55 * shot.height()) + 70, shot.width(), 1);
    };
    const QImage before = row();
    PaintCount paints(*square);
    runUntil([&] { return paints.count >= 3; }, std::chrono::seconds(5));
    EXPECT_GE(paints.count, 3);
    EXPECT_NE(row(), before);
    EXPECT_EQ(test().rate()->text(), QString("\u2014")) << "a timer's frames are not the screen's";
    EXPECT_EQ(controller().state().measuredHz(), 0);

    while (controller().state().step().page != DisplayTestState::Page::checklist) QTest::mouseClick(&test(), Qt::LeftButton);
    EXPECT_EQ(square->pace(), 0) << "the timer stops with its page";
    test().finishButton()->click();
    ASSERT_TRUE(runUntil([&] { return !runner().isRunning(); }));
    ASSERT_TRUE(model->report().displayResult);
    EXPECT_FALSE(model->report().displayResult->measuredRefreshRateHz);
}

// The test's page shown in the language on a 1280 × 800 screen without GL; its view.
DisplayTestView showPage(DisplayTestScreen& shown, DisplayTestState::Page page, AppLanguage language) {
    DisplayTestState state;
    while (state.step().page != page && state.advance()) {
    }
    const DisplayTestView view = DisplayTestPresenter::present(state, 60, false, Loc(language));
    shown.show(view);
    shown.resize(1280, 800);
    shown.QWidget::show();
    return view;
}

// The checklist's button belongs to its page before the checklist ever shows, so a test left
// early takes it along; once shown, the rows stand between the title and the button.
TEST(DisplayTestScreenParts, TheChecklistsButtonIsThePagesFromTheStart) {
    auto test = std::make_unique<DisplayTestScreen>(DisplayTestScreen::SquareClock::timer);
    QPointer<RetroButton> finish = test->finishButton();
    EXPECT_TRUE(test->isAncestorOf(finish));
    test.reset();
    EXPECT_TRUE(finish.isNull()) << "the button outlived its page";

    DisplayTestScreen shown(DisplayTestScreen::SquareClock::timer);
    const DisplayTestView view = showPage(shown, DisplayTestState::Page::checklist, AppLanguage::english);
    ASSERT_EQ(shown.checkBoxes().size(), view.checklist.size());
    int above = 0;
    for (RetroCheckBox* box : shown.checkBoxes()) {
        EXPECT_GT(box->y(), above);
        above = box->y();
    }
    EXPECT_GT(shown.finishButton()->y(), above);
}

// The grid's lit pixels are pure white; none shows through behind the caption's letters.
TEST(DisplayTestScreenParts, TheDeadPixelCaptionStandsOnASolidPlate) {
    DisplayTestScreen shown(DisplayTestScreen::SquareClock::timer);
    const DisplayTestView view = showPage(shown, DisplayTestState::Page::deadPixel, AppLanguage::persian);
    ProseLabel* caption = nullptr;
    for (ProseLabel* label : shown.findChildren<ProseLabel*>())
        if (label->prose() == qs(view.caption)) caption = label;
    ASSERT_NE(caption, nullptr);
    const QImage page = shown.grab().toImage();
    const QRect behind(caption->mapTo(&shown, QPoint(0, 0)), caption->size());
    ASSERT_FALSE(behind.isEmpty());
    int lit = 0;
    for (int y = behind.top(); y <= behind.bottom(); ++y)
        for (int x = behind.left(); x <= behind.right(); ++x) lit += page.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_EQ(lit, 0) << "grid pixels show between the caption's letters";
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
