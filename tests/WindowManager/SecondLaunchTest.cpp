// A second launch under each window manager, while the user works in another application on their
// workspace: wherever they left the window, it comes back in front of that application, active
// and unshaded.

#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>
#include <functional>
#include <tuple>

#include "../Support/AwaitTask.h"
#include "Desktop.h"
#include "ShownWindow.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

TEST(SecondLaunch, BringsTheWindowInFrontOfTheUsersApplicationActiveAndUnshaded) {
    Desktop desktop;
    const struct {
        const char* name;
        std::function<bool(xcb_window_t)> leave;
    } cases[] = {
        {"minimised on another workspace",
         [&](xcb_window_t id) {
             desktop.toWorkspace(id, *desktop.workspace(std::nullopt) + 1);
             desktop.minimise(id);
             return runUntil([&] { return desktop.minimised(id); });
         }},
        {"shaded", [&](xcb_window_t id) {
             desktop.setState(id, true, "_NET_WM_STATE_SHADED");
             return runUntil([&] { return desktop.hasState(id, "_NET_WM_STATE_SHADED"); });
         }},
        {"behind another application", [](xcb_window_t) { return true; }},
    };
    for (const auto& left : cases) {
        ShownWindow shown;
        ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.window)) << left.name;
        const xcb_window_t id = shown.id();
        ASSERT_TRUE(steady<QRect>([&] { return desktop.frame(id); })) << left.name;
        ASSERT_TRUE(left.leave(id)) << left.name;
        const xcb_window_t other = desktop.openOther(desktop.frame(id).adjusted(-20, -20, 20, 20));
        ASSERT_TRUE(runUntil([&] { return desktop.active(other); })) << left.name;
        ASSERT_TRUE(steady<QRect>([&] { return desktop.frame(other); })) << left.name;

        shown.window.bringToFront();
        const auto seen = steady<std::tuple<bool, bool, bool, bool>>([&] {
            return std::tuple(desktop.above(id, other), desktop.active(id), desktop.hasState(id, "_NET_WM_STATE_SHADED"),
                              shown.window.isActiveWindow());
        });
        ASSERT_TRUE(seen) << left.name;
        const auto [inFront, active, shaded, qtActive] = *seen;
        EXPECT_TRUE(inFront) << left.name;
        EXPECT_TRUE(active && qtActive) << left.name;
        EXPECT_FALSE(shaded) << left.name;
        desktop.close(other);
    }
}

} // namespace
