// The display test on the second of two X screens, driven by key presses with native scan
// codes: it steps through every page, measures the rate from the GL surface's swaps (and
// never stores one the screen cannot draw), and ends with the checklist or with Escape.

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QShortcut>
#include <QTest>

#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "LocalizedViews/LocNotifier.h"
#include "Stations/DisplayDeadPixelGrid.h"
#include "Stations/DisplayRefreshClock.h"
#include "Stations/DisplayTestController.h"
#include "Stations/DisplayTestScreen.h"
#include "Support/AwaitTask.h"
#include "Support/NativeKey.h"
#include "Typography/HardwareText.h"

namespace zantiva::testing {
namespace {

using namespace std::chrono_literals;
using Page = DisplayTestState::Page;

class DisplayTestTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::screens().size(), 2);
        second = QGuiApplication::screens().at(1);
        ASSERT_TRUE(controller.present(second, [this](std::optional<DisplayTestResult> result) {
            ++completions;
            outcome = std::move(result);
        }));
        ASSERT_TRUE(runUntil([&] { return QGuiApplication::focusWindow() == window()->windowHandle(); }, 10s));
    }

    QWidget* window() const { return controller.overlay().window(); }
    DisplayTestScreen& screen() const { return *controller.screen(); }
    Page page() const { return controller.state().step().page; }

    Loc loc{AppLanguage::english};
    LocNotifier notifier{loc};
    DisplayTestController controller{notifier};
    QScreen* second = nullptr;
    int completions = 0;
    std::optional<DisplayTestResult> outcome;
};

TEST_F(DisplayTestTest, KeysStepThroughEveryPageAndTheChecklistEndsItWithTheResult) {
    EXPECT_EQ(window()->geometry(), second->geometry());
    QShortcut quit(QKeySequence(Qt::CTRL | Qt::Key_Q), window(), nullptr, nullptr, Qt::ApplicationShortcut);
    int quits = 0;
    QObject::connect(&quit, &QShortcut::activated, [&] { ++quits; });

    pressNativeKey(Evdev::space, Qt::Key_Space, " ");
    EXPECT_EQ(screen().currentPage(), screen().solidPage());
    pressNativeKey(Evdev::enter, Qt::Key_Return, "\r");
    pressNativeKey(Evdev::right, Qt::Key_Right);
    QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(controller.state().step(), (DisplayTestState::Step{Page::color, 2})) << "Ctrl+Q moved nothing";
    pressNativeKey(Evdev::a, Qt::Key_A, "a");
    EXPECT_EQ(controller.state().step(), (DisplayTestState::Step{Page::color, 2}));
    for (int i = 0; i < 3; ++i) pressNativeKey(Evdev::space, Qt::Key_Space, " ");
    EXPECT_EQ(page(), Page::deadPixel);
    EXPECT_EQ(screen().currentPage()->isAncestorOf(screen().deadPixelGrid()), true);
    pressNativeKey(Evdev::space, Qt::Key_Space, " ");

    // The square moves on a GL surface; each swap is a frame. The X server's software swap
    // is not paced by a display, so whatever rate it gives is only ever stored when the
    // screen's reported rate can account for it.
    ASSERT_EQ(page(), Page::refresh);
    ASSERT_TRUE(screen().refreshClock());
    ASSERT_TRUE(runUntil([&] { return controller.state().measuredHz() > 0; }, 20s)) << "no frame reached the screen";
    const double measured = controller.state().measuredHz();
    const bool trusted = measured <= 1.1 * second->refreshRate();
    EXPECT_EQ(screen().rate()->text(), trusted ? QString::number(std::round(measured)) + " Hz" : QString("\u2014"))
        << measured << " Hz measured";
    pressNativeKey(Evdev::right, Qt::Key_Right);
    ASSERT_EQ(page(), Page::checklist);
    pressNativeKey(Evdev::space, Qt::Key_Space, " ");
    EXPECT_EQ(page(), Page::checklist) << "keys do nothing on the checklist";

    QTest::mouseClick(screen().checkBoxes().at(5), Qt::LeftButton);
    QTest::mouseClick(screen().checkBoxes().at(0), Qt::LeftButton);
    QTest::mouseClick(screen().finishButton(), Qt::LeftButton);
    ASSERT_EQ(completions, 1);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->issues, (std::vector<std::string>{"Display.Issue.DeadPixels", "Display.Issue.Refresh"}));
    if (outcome->measuredRefreshRateHz) {
        EXPECT_LE(*outcome->measuredRefreshRateHz, std::round(1.1 * second->refreshRate()));
    }
    EXPECT_EQ(outcome->measuredRefreshRateHz.has_value(), trusted);
    EXPECT_FALSE(controller.isShowing());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(DisplayTestTest, EscapeLeavesAtOnceWithNothing) {
    pressNativeKey(Evdev::right, Qt::Key_Right);
    pressNativeKey(Evdev::escape, Qt::Key_Escape);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(outcome, std::nullopt);
    EXPECT_FALSE(controller.isShowing());
    pressNativeKey(Evdev::escape, Qt::Key_Escape, {}, {}, qApp);
    EXPECT_EQ(completions, 1) << "the key handler went with the test";
}

TEST_F(DisplayTestTest, KeysWithoutAScanCodeStillStepAndLeave) {
    const auto press = [this](Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(window(), &event);
    };
    press(Qt::Key_Return);
    press(Qt::Key_Space);
    press(Qt::Key_Right);
    press(Qt::Key_A);
    EXPECT_EQ(controller.state().step(), (DisplayTestState::Step{Page::color, 2}));
    press(Qt::Key_Escape);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(outcome, std::nullopt);
}

} // namespace
} // namespace zantiva::testing
