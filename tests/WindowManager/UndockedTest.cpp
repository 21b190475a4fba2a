// The window maximised on a monitor that goes, under each window manager, on an X server whose
// monitors go as the test switches them off: once restored, it is whole on the screen left,
// whatever Qt's own list of screens made of the change.

#include <gtest/gtest.h>

#include <QTest>

#include "../Support/AwaitTask.h"
#include "Desktop.h"
#include "ShownWindow.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

// Docked, the window maximised on the large monitor, primary, beside the laptop's own screen;
// the laptop taken off its dock leaves its own small screen alone, primary; the user
// un-maximises the window once all is still. Nothing but the window and the manager reads the
// screens meanwhile (a desktop's display daemon would).
TEST(Undocked, AWindowMaximisedOnTheMonitorThatWentIsWholeOnTheScreenLeftOnceRestored) {
    const QRect docked{0, 0, 1920, 1080}, laptop{0, 0, 1280, 720};
    ASSERT_TRUE(Desktop::plug({{"DUMMY0", docked}, {"DUMMY1", laptop.translated(docked.width(), 0)}}));
    Desktop desktop;
    ShownWindow shown;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.window));
    const xcb_window_t id = shown.id();
    const auto frame = [&] { return desktop.frame(id); };

    desktop.setState(id, true, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
    ASSERT_TRUE(runUntil([&] { return desktop.hasState(id, "_NET_WM_STATE_MAXIMIZED_HORZ"); }));
    ASSERT_TRUE(steady<QRect>(frame));
    ASSERT_TRUE(Desktop::plug({{"DUMMY1", laptop}}));
    ASSERT_TRUE(steady<QRect>(frame));

    desktop.setState(id, false, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
    ASSERT_TRUE(runUntil([&] { return !desktop.hasState(id, "_NET_WM_STATE_MAXIMIZED_HORZ"); }));
    const std::optional<QRect> restored = steady<QRect>(frame);
    ASSERT_TRUE(restored);
    EXPECT_EQ(shownShare(*restored, {laptop}), 1.0) << ::testing::PrintToString(*restored);
}

} // namespace
