// A second launch under each window manager, and what the user does right after it: the launch
// asks once for the window, and the user's click, typing or minimise after it stands. The user's
// acts go through the pointer and the keyboard; only the scene is set up through requests.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QTest>
#include <chrono>
#include <functional>
#include <optional>
#include <utility>

#include "../Support/AwaitTask.h"
#include "Desktop.h"
#include "ShownWindow.h"
#include "Terminal.h"

using namespace zantiva;
using namespace zantiva::testing;
using namespace std::chrono_literals;

namespace {

// How long after the launch the user acts: the launch has returned by then, and the window
// manager has had time to act on it.
constexpr auto userActsAfter = 300ms;

// Whether `condition` holds all through `span`, the event loop turning.
bool holds(const std::function<bool()>& condition, std::chrono::milliseconds span) {
    return !runUntil([&] { return !condition(); }, span);
}

// The user clicks into the window once the manager has placed it: it has the keyboard.
bool clickInto(Desktop& desktop, xcb_window_t window) {
    const auto place = steady<QRect>([&] { return desktop.frame(window); });
    return place && Desktop::click(place->center()) &&
           runUntil([&] { return desktop.active(window) && desktop.hasKeyboard(window); });
}

// Once all is still: whether the window is stacked above the other one, and whether it is the
// active one with the keyboard.
std::optional<std::pair<bool, bool>> broughtOver(Desktop& desktop, xcb_window_t window, xcb_window_t other) {
    return steady<std::pair<bool, bool>>([&] {
        return std::pair(desktop.above(window, other), desktop.active(window) && desktop.hasKeyboard(window));
    });
}

// The window shown, and a terminal kept on top of all others over part of it, where the user types.
struct KeptOnTopTerminal {
    KeptOnTopTerminal() {
        if (!QTest::qWaitForWindowActive(&shown.window)) return;
        const QRect window = desktop.frame(shown.id());
        const QPoint over = window.topLeft() + QPoint(window.width() / 3, window.height() / 3);
        terminal.emplace(desktop, QStringList{"-geometry", QStringLiteral("80x24+%1+%2").arg(over.x()).arg(over.y())});
        if (!terminal->id()) return;
        desktop.setState(terminal->id(), true, "_NET_WM_STATE_ABOVE");
        ready = runUntil([&] { return desktop.hasState(terminal->id(), "_NET_WM_STATE_ABOVE"); }) &&
                clickInto(desktop, terminal->id());
    }

    Desktop desktop;
    ShownWindow shown;
    std::optional<Terminal> terminal;
    bool ready = false;
};

TEST(AfterALaunch, TheUsersClickAndLineIntoAKeptOnTopTerminalStand) {
    KeptOnTopTerminal scene;
    ASSERT_TRUE(scene.ready);
    const xcb_window_t terminal = scene.terminal->id();

    scene.shown.window.bringToFront();
    QTest::qWait(userActsAfter.count());
    ASSERT_TRUE(Desktop::click(scene.desktop.frame(terminal).center()));
    ASSERT_TRUE(Desktop::type("zantiva 67"));
    EXPECT_TRUE(runUntil([&] { return scene.terminal->typed() == "zantiva 67\n"; }, 5s))
        << "the terminal got " << scene.terminal->typed().toStdString();
    EXPECT_TRUE(holds([&] { return scene.desktop.active(terminal) && scene.desktop.hasKeyboard(terminal); }, 1500ms))
        << "the window took the keyboard back";
}

TEST(AfterALaunch, AWindowTheUserMinimisesStaysMinimised) {
    KeptOnTopTerminal scene;
    ASSERT_TRUE(scene.ready);
    const xcb_window_t id = scene.shown.id();

    scene.shown.window.bringToFront();
    QTest::qWait(userActsAfter.count());
    // As a taskbar's or xdotool's minimise asks it, with the user's own act behind it.
    scene.desktop.minimise(id);
    ASSERT_TRUE(runUntil([&] { return scene.desktop.minimised(id); }, 5s));
    EXPECT_TRUE(holds([&] { return scene.desktop.minimised(id) && !scene.desktop.viewable(id); }, 1500ms))
        << "the window came back: minimised " << scene.desktop.minimised(id) << ", shown " << scene.desktop.viewable(id);
}

// The program's own file dialog, modal over the window, while the user works in a terminal on the
// other monitor: a launch brings the dialog with the window, above it and with the keyboard.
TEST(AfterALaunch, AModalDialogComesWithTheWindowAndKeepsTheKeyboard) {
    const QRect large{0, 0, 1920, 1080}, small{1920, 0, 1280, 720};
    ASSERT_TRUE(Desktop::plug({{"DUMMY0", large}, {"DUMMY1", small}}));
    Desktop desktop;
    ShownWindow shown;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.window));
    QFileDialog dialog(&shown.window, "Choose App...", "/opt");
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    const auto dialogId = xcb_window_t(dialog.winId());
    Terminal terminal(desktop, {"-geometry", QStringLiteral("80x24+%1+%2").arg(small.x() + 100).arg(small.y() + 100)});
    ASSERT_TRUE(terminal.id());
    ASSERT_TRUE(clickInto(desktop, terminal.id()));

    shown.window.bringToFront();
    const auto seen = broughtOver(desktop, dialogId, shown.id());
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->first) << "the dialog went behind the window";
    EXPECT_TRUE(seen->second) << "the dialog lost the keyboard";
    dialog.close();
    ASSERT_TRUE(Desktop::plug({{"DUMMY0", large}}));
}

// The user types the launch into a full-screen terminal over the window.
TEST(AfterALaunch, TheWindowComesInFrontOfTheFullScreenTerminalItWasLaunchedFrom) {
    Desktop desktop;
    ShownWindow shown;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.window));
    Terminal terminal(desktop, {"-fullscreen"});
    ASSERT_TRUE(terminal.id());
    ASSERT_TRUE(runUntil([&] { return desktop.hasState(terminal.id(), "_NET_WM_STATE_FULLSCREEN"); }));
    ASSERT_TRUE(clickInto(desktop, terminal.id()));
    ASSERT_TRUE(Desktop::type("zantiva-diagnostics"));

    shown.window.bringToFront();
    const auto seen = broughtOver(desktop, shown.id(), terminal.id());
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->first) << "the window stayed behind the terminal";
    EXPECT_TRUE(seen->second) << "the terminal kept the keyboard";
}

} // namespace
