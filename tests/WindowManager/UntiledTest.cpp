// xfwm4's tiling, on an X server whose monitors go and change as the test switches them: a window
// untiled takes back the size and place it had before it was tiled. That is neither a change of
// state nor of the screens, yet where the screens left can't show the window whole it is fitted.

#include <gtest/gtest.h>

#include <QTest>

#include "../Support/AwaitTask.h"
#include "Desktop.h"
#include "ShownWindow.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

// Tiled to the left half of a large monitor with xfwm4's own key, the monitor unplugged (a small
// one left) or its resolution lowered, then untiled with the same key.
TEST(Untiled, AWindowUntiledAfterItsMonitorWentOrShrankIsWholeOnTheScreenLeft) {
    const QRect large{0, 0, 2560, 1440};
    const struct {
        const char* name;
        Monitor left;
    } cases[] = {
        {"the monitor unplugged", {"DUMMY1", {0, 0, 1280, 720}}},
        {"the resolution lowered", {"DUMMY0", {0, 0, 1366, 768}}},
    };
    for (const auto& change : cases) {
        ASSERT_TRUE(Desktop::plug({{"DUMMY0", large}})) << change.name;
        Desktop desktop;
        ShownWindow shown;
        ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.window)) << change.name;
        const xcb_window_t id = shown.id();
        const auto frame = [&] { return desktop.frame(id); };
        desktop.moveTo(id, 300, 150);
        const std::optional<QRect> placed = steady<QRect>(frame);
        ASSERT_TRUE(placed && placed->topLeft() == QPoint(300, 150)) << change.name;

        ASSERT_TRUE(Desktop::press("super+KP_Left"));
        ASSERT_TRUE(runUntil([&] { return frame() != *placed; })) << change.name << ": tiled";
        ASSERT_TRUE(steady<QRect>(frame)) << change.name;
        ASSERT_TRUE(Desktop::plug({change.left})) << change.name;
        ASSERT_TRUE(steady<QRect>(frame)) << change.name;

        const QRect tiled = frame();
        ASSERT_TRUE(Desktop::press("super+KP_Left"));
        ASSERT_TRUE(runUntil([&] { return frame() != tiled; })) << change.name << ": untiled";
        const std::optional<QRect> untiled = steady<QRect>(frame);
        ASSERT_TRUE(untiled) << change.name;
        EXPECT_EQ(shownShare(*untiled, {change.left.area}), 1.0)
            << change.name << ": " << ::testing::PrintToString(*untiled);
    }
}

} // namespace
