// fluxbox deletes a window's state property once its last state goes, rather than emptying it,
// and Qt takes no notice: the window is judged by the state on the X server. Full screen and
// left again, on an X server whose monitors go as the test switches them, the window never
// turns full screen by itself and is whole on the screens left, or stands where the user moved it.

#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <optional>
#include <utility>

#include "../Support/AwaitTask.h"
#include "Desktop.h"
#include "ShownWindow.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

constexpr char fullScreen[] = "_NET_WM_STATE_FULLSCREEN";
using Settled = std::pair<QRect, QSize>; // the window's frame and least size

TEST(FullScreenLeft, TheWindowIsNeverTakenForFullScreenAgainAndIsWholeOnTheScreensLeft) {
    const QRect left{0, 0, 1920, 1080}, right{1920, 0, 1280, 720}, small{0, 0, 1280, 720};
    Desktop desktop;
    const auto toggle = [&](xcb_window_t id, bool on) {
        desktop.setState(id, on, fullScreen);
        return runUntil([&] { return desktop.hasState(id, fullScreen) == on; });
    };
    const struct {
        const char* name;
        // What the user does with the window on the left monitor before the change; whether it is
        // full screen when the monitors change.
        bool fullScreenMeanwhile;
        bool onTheRight;
        std::function<bool(xcb_window_t)> change;
        std::vector<QRect> screensLeft;
        std::optional<QPoint> movedTo; // where the user moved the window, which stands
    } cases[] = {
        {"full screen and back, then moved onto the other monitor", false, false,
         [&](xcb_window_t id) {
             desktop.moveTo(id, right.x() + 40, right.y() + 40);
             return true;
         },
         {left, right},
         right.topLeft() + QPoint(40, 40)},
        {"full screen and back, then its monitor's resolution lowered", false, false,
         [&](xcb_window_t) { return Desktop::plug({{"DUMMY0", small}, {"DUMMY1", right}}); },
         {small, right}},
        {"full screen and back, then the other monitor unplugged", false, false,
         [&](xcb_window_t) { return Desktop::plug({{"DUMMY0", left}}); },
         {left}},
        {"full screen, then its monitor unplugged", true, false,
         [&](xcb_window_t) { return Desktop::plug({{"DUMMY1", small}}); },
         {small}},
        {"full screen on the other monitor, minimised, that monitor unplugged, restored", true, true,
         [&](xcb_window_t id) {
             desktop.minimise(id);
             if (!runUntil([&] { return desktop.minimised(id); }) || !Desktop::plug({{"DUMMY0", left}})) return false;
             desktop.activate(id);
             return runUntil([&] { return !desktop.minimised(id); });
         },
         {left}},
    };
    for (const auto& use : cases) {
        ASSERT_TRUE(Desktop::plug({{"DUMMY0", left}, {"DUMMY1", right}})) << use.name;
        ShownWindow shown;
        ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.window)) << use.name;
        const xcb_window_t id = shown.id();
        const auto frame = [&] { return desktop.frame(id); };
        // The user's next step comes once the window too has done all it does after a change: a
        // monitor going while the window is full screen lowers its least size in steps, and has
        // the manager fill the screen again after each, with the frame the same throughout.
        const auto settled = [&] { return std::pair{desktop.frame(id), shown.window.QWidget::minimumSize()}; };
        if (use.onTheRight) desktop.moveTo(id, right.x() + 40, right.y() + 40);
        ASSERT_TRUE(steady<QRect>(frame)) << use.name;

        ASSERT_TRUE(toggle(id, true)) << use.name;
        ASSERT_TRUE(steady<QRect>(frame)) << use.name;
        if (!use.fullScreenMeanwhile) {
            ASSERT_TRUE(toggle(id, false)) << use.name;
            ASSERT_TRUE(steady<QRect>(frame)) << use.name;
        }
        ASSERT_TRUE(use.change(id)) << use.name;
        ASSERT_TRUE(steady<Settled>(settled)) << use.name;
        if (use.fullScreenMeanwhile) {
            ASSERT_TRUE(toggle(id, false)) << use.name;
            ASSERT_TRUE(steady<QRect>(frame)) << use.name;
        }

        const auto judged = steady<QRect>(frame);
        ASSERT_TRUE(judged) << use.name;
        EXPECT_FALSE(desktop.hasState(id, fullScreen)) << use.name;
        if (use.movedTo) {
            EXPECT_EQ(judged->topLeft(), *use.movedTo) << use.name;
        } else {
            EXPECT_EQ(shownShare(*judged, use.screensLeft), 1.0) << use.name << ": " << ::testing::PrintToString(*judged);
        }
        // However the window was left, a second launch is a way back to it.
        shown.window.bringToFront();
        const auto launched = steady<QRect>(frame);
        ASSERT_TRUE(launched) << use.name;
        EXPECT_FALSE(desktop.hasState(id, fullScreen)) << use.name;
        EXPECT_EQ(shownShare(*launched, use.screensLeft), 1.0) << use.name << ": after a second launch, "
                                                              << ::testing::PrintToString(*launched);
    }
}

} // namespace
