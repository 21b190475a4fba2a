// The window under openbox, on the X server under-window-manager.sh starts: a launch that hands over
// brings back a window the user left on another workspace.

#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>
#include <cstdint>
#include <optional>

#include "../Support/AwaitTask.h"
#include "Desktop.h"
#include "ShownWindow.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

// Window managers decline a program's own activation of a window on another workspace (and Qt
// asks none while the window isn't shown): the window asks to be brought to the workspace the
// user is on and activated, as a launcher's startup id allows, and with no id at all.
TEST(UnderAWindowManager, ALaunchThatHandsOverBringsAWindowOnAnotherWorkspaceToTheUsersOne) {
    ShownWindow shown;
    MainWindow& window = shown.window;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Desktop pager;
    const xcb_window_t id = shown.id();
    const std::optional<std::uint32_t> users = pager.workspace(std::nullopt);
    ASSERT_TRUE(users);
    ASSERT_TRUE(runUntil([&] { return pager.workspace(id) == users; }));

    for (const bool launcher : {false, true}) {
        pager.toWorkspace(id, *users + 1);
        ASSERT_TRUE(runUntil([&] { return !window.windowHandle()->isExposed(); }))
            << "the user's workspace no longer shows it";
        // From a terminal, no startup id; from a launcher, one with the time of the user's act.
        const QByteArray startupId = launcher ? "launcher/zantiva-diagnostics/1-0-host_TIME" +
                                                    QByteArray::number(Desktop::serverTime())
                                              : QByteArray();
        window.bringToFront(startupId);
        EXPECT_TRUE(runUntil([&] {
            return pager.workspace(id) == users && pager.workspace(std::nullopt) == users &&
                   window.windowHandle()->isExposed() && window.isActiveWindow();
        })) << startupId.toStdString();
    }
}

} // namespace
