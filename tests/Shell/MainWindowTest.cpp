// The window on screens that come, go and change. The offscreen platform can't plug a monitor in
// or out, so a reader of the screens stands in for them and the tests send the signals the
// system sends.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <ostream>
#include <tuple>
#include <utility>

#include "../Support/AwaitTask.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "Shell/MainWindow.h"

// Failures name the window's place, not its bytes.
static void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.width() << 'x' << rect.height() << '+' << rect.x() << '+' << rect.y();
}
static void PrintTo(const QSize& size, std::ostream* out) { *out << size.width() << 'x' << size.height(); }

using namespace zantiva;
using zantiva::testing::runUntil;

namespace {

QRect qRect(const WindowRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

// Turns the event loop until the platform has handed over every place asked of it.
void settle() {
    for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
}

// A window shown on screens the test sets. Maximised, it fills the platform's own screen.
struct ShownWindow {
    explicit ShownWindow(ScreenAreas areas) : screens(std::move(areas)) {
        window.setContent(new QWidget);
        window.show();
    }

    ScreenAreas screens;
    Loc loc{AppLanguage::english};
    LocNotifier notifier{loc};
    MainWindow window{notifier, [this](const QWidget&) { return screens; }};
};

// The platform's screen, which the tests that maximise need of 1920x1080 (ctest gives it so).
QRect platformScreen() { return QGuiApplication::primaryScreen()->availableGeometry(); }
bool fullHd(const QRect& screen) { return screen.width() >= 1920 && screen.height() >= 1080; }

// A laptop's screen and a larger monitor to its right, the window on the monitor.
class WindowOnScreens : public ::testing::Test {
protected:
    void SetUp() override {
        window.setContent(new QWidget);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(runUntil([&] { return wholeOn(monitor); }));
    }

    bool wholeOn(const WindowRect& area) const { return qRect(area).contains(window.frameGeometry()); }
    // Put back on the monitor, as the user left it before the screens changed.
    void onMonitor() {
        screens = {{laptop, monitor}, 0};
        window.move(2400, 200);
        settle();
        ASSERT_TRUE(wholeOn(monitor));
    }

    const WindowRect laptop{0, 0, 1920, 1080}, monitor{1920, 0, 2560, 1440};
    ScreenAreas screens{{laptop, monitor}, 1};
    Loc loc{AppLanguage::english};
    LocNotifier notifier{loc};
    MainWindow window{notifier, [this](const QWidget&) { return screens; }};
};

// The monitor blinks: the system gives the window the laptop's screen and doesn't give the
// monitor back. When the monitor then goes for good, nothing changes on the window's own screen;
// whichever screen's change comes, the window is brought back.
TEST_F(WindowOnScreens, AnyScreenAddedRemovedOrChangedBringsItOntoTheScreensLeft) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a screen removed", [&] { emit qGuiApp->screenRemoved(screen); }},
        {"a screen added", [&] { emit qGuiApp->screenAdded(screen); }},
        {"a screen's geometry", [&] { emit screen->geometryChanged(screen->geometry()); }},
        {"a screen's available area", [&] { emit screen->availableGeometryChanged(screen->availableGeometry()); }},
    };
    for (const auto& [change, send] : changes) {
        onMonitor();
        screens = {{laptop}, 0};
        send();
        EXPECT_TRUE(runUntil([&] { return wholeOn(laptop); })) << change;
    }
}

// No change of the screens reached the window (or none that left it where the user can see it):
// a second launch of the program brings it back and to the front.
TEST_F(WindowOnScreens, ALaunchThatHandsOverBringsItBackOntoTheScreensAndRaisesIt) {
    screens = {{laptop}, 0};
    window.bringToFront();
    EXPECT_TRUE(runUntil([&] { return wholeOn(laptop); }));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The window manager hands the restored place over only after the change of state, as the
// offscreen platform does. Where the screens show all of it, the restore stands, whatever the
// fit would have made of the place the window had while maximised (here partly outside the
// area, as a maximised window is once its frame is drawn back around it on a real screen).
TEST(WindowRestored, TheRestoreStandsWhereTheScreensShowAllOfItAndIsFittedWhereNot) {
    const QRect whole = platformScreen();
    if (!fullHd(whole)) GTEST_SKIP() << "needs a screen of 1920x1080";
    ShownWindow shown({{{0, 100, 1920, 1040}}, 0});
    auto [screens, window] = std::tie(shown.screens, shown.window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    settle();
    const QRect restored = window.geometry();
    ASSERT_TRUE(qRect(screens.areas[0]).contains(window.frameGeometry()));

    window.showMaximized();
    ASSERT_TRUE(runUntil([&] { return whole.contains(window.geometry()) && window.geometry() != restored; }));
    const QRect maximised = window.geometry();
    window.showNormal();
    ASSERT_TRUE(runUntil([&] { return window.geometry() != maximised; }));
    settle();
    EXPECT_EQ(window.geometry(), restored) << "the window manager's restore stands";

    // The screen shrank while the window was maximised: the restore no longer fits it.
    window.showMaximized();
    ASSERT_TRUE(runUntil([&] { return window.geometry() == maximised; }));
    screens = {{{0, 100, 1280, 720}}, 0};
    window.showNormal();
    EXPECT_TRUE(runUntil([&] { return qRect(screens.areas[0]).contains(window.frameGeometry()); }));
}

// icewm hands the restored size over while the window still counts as maximised, and clears the
// state after it: the restore is known by the state. Maximised on the monitor, the laptop taken
// off its dock, then un-maximised in that order: the restore is brought inside the laptop's screen.
TEST(WindowRestored, ARestoreWhoseSizeComesBeforeItsStateIsFittedAsWell) {
    if (!fullHd(platformScreen())) GTEST_SKIP() << "needs a screen of 1920x1080";
    ShownWindow shown({{{0, 0, 1920, 1080}}, 0});
    auto [screens, window] = std::tie(shown.screens, shown.window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    settle();
    const QRect restored = window.geometry();
    window.showMaximized();
    ASSERT_TRUE(runUntil([&] { return window.geometry() != restored; }));

    screens = {{{0, 0, 1280, 720}}, 0};
    emit qGuiApp->screenRemoved(QGuiApplication::primaryScreen());
    settle();
    // The platform's window takes the state at once and hands the place it restores over first;
    // the widget learns of the state after it.
    window.windowHandle()->setWindowStates(Qt::WindowNoState);
    EXPECT_TRUE(runUntil([&] { return qRect(screens.areas[0]).contains(window.frameGeometry()); }));
}

// Maximised, full screen or minimised, the window manager holds the window's size and place and
// gives back the ones it had. The screens changing meanwhile neither raise the least size (Qt
// would write the size hints anew with the size the window has then, which icewm takes as the
// one to give back, and below which xfwm4 won't fit the window to the screen nor restore it)
// nor change the place (asked of a minimised window, it comes back by itself), nor the state.
// A least size that the screen a maximised or full-screen window fills can't hold is lowered to
// what it allows. Back in its normal state, the window is fitted to the screens left.
TEST(WindowHeld, TheLeastSizeAndPlaceWaitForTheRestore) {
    if (!fullHd(platformScreen())) GTEST_SKIP() << "needs a screen of 1920x1080";
    const WindowRect small{0, 0, 1280, 600}, large{0, 0, 1920, 1080}, beside{1280, 0, 1920, 1080};
    const struct {
        const char* name;
        Qt::WindowState state;
        ScreenAreas before, after;
        bool lowered;
    } cases[] = {
        {"maximised on a small screen that is unplugged", Qt::WindowMaximized, {{small, beside}, 0}, {{large}, 0}, false},
        {"maximised, the resolution raised", Qt::WindowMaximized, {{small}, 0}, {{large}, 0}, false},
        {"maximised, the resolution lowered", Qt::WindowMaximized, {{large}, 0}, {{small}, 0}, true},
        {"full screen, the resolution lowered", Qt::WindowFullScreen, {{large}, 0}, {{small}, 0}, true},
        {"minimised, its monitor unplugged", Qt::WindowMinimized, {{small, beside}, 1}, {{small}, 0}, false},
    };
    for (const auto& held : cases) {
        ShownWindow shown(held.before);
        auto [screens, window] = std::tie(shown.screens, shown.window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window)) << held.name;
        const QRect home = qRect(held.before.areas[held.before.own]);
        ASSERT_TRUE(runUntil([&] { return home.contains(window.frameGeometry()); })) << held.name;
        settle();
        const QSize least = window.QWidget::minimumSize();
        const QRect normal = window.geometry(), outer = window.frameGeometry();
        const WindowSize allowed = WindowPlacementRule::place(held.after.areas[0], {normal.left() - outer.left(),
                                                                                  normal.top() - outer.top(),
                                                                                  outer.right() - normal.right(),
                                                                                  outer.bottom() - normal.bottom()})
                                       .minimum;

        window.setWindowState(held.state);
        ASSERT_TRUE(runUntil([&] { return held.state == Qt::WindowMinimized || window.geometry() != normal; }))
            << held.name;
        settle();
        const QRect filled = window.geometry();
        screens = held.after;
        emit qGuiApp->screenRemoved(QGuiApplication::primaryScreen());
        settle();
        EXPECT_EQ(window.QWidget::minimumSize(),
                  held.lowered ? QSize(std::min(least.width(), allowed.width), std::min(least.height(), allowed.height))
                               : least)
            << held.name;
        EXPECT_EQ(window.geometry(), filled) << held.name;
        EXPECT_EQ(window.windowState(), held.state) << held.name;

        window.showNormal();
        const QRect area = qRect(held.after.areas[0]);
        EXPECT_TRUE(runUntil([&] {
            return area.contains(window.frameGeometry()) && window.QWidget::minimumSize() != least;
        })) << held.name;
    }
}

} // namespace
