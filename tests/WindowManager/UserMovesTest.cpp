// The user's own moves and sizes, made with the pointer as a user makes them (the window
// manager's title-bar drag and its resize drag), on an X server with a large monitor and a
// smaller one to its right: the window stays as the user left it, wider than a monitor, on the
// other monitor or partly off the screens, and nothing moves it while the button is held.

#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "../Support/AwaitTask.h"
#include "Desktop.h"
#include "ShownWindow.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

const QRect large{0, 0, 1920, 1080}, smaller{1920, 0, 1280, 720};
constexpr int leftButton = 1;
// How far a manager's drag may end from where the pointer went: fluxbox starts it from the first
// motion, not the press, and its resize takes its borders off the height.
constexpr int pointerSlip = 8;

// The manager's own resize drag: metacity's is Super with the middle button, the others' Alt
// with the right one.
struct ResizeDrag {
    int button;
    const char* keys;
};
ResizeDrag resizeDrag() { return Desktop::manager() == "metacity" ? ResizeDrag{2, "super"} : ResizeDrag{3, "alt"}; }

class UserMoves : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Desktop::plug({{"DUMMY0", large}, {"DUMMY1", smaller}}));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.window));
        // 1200x800 at 300,150 on the large monitor, where the user had it. Asked by the window
        // itself: openbox takes a pager's place as the window's, not the frame's, once dragged.
        // The window first places itself once the manager's frame is known.
        ASSERT_TRUE(steady<QRect>(frame));
        const QPoint place(300, 150);
        const QSize size(1200, 800);
        shown.window.resize(size);
        shown.window.move(place);
        std::optional<QRect> placed = steady<QRect>(frame);
        // Qt places the frame by the margins it knows, which fluxbox may not have written yet: the
        // place is mended by what the server shows.
        for (int again = 0; again < 3 && placed && (placed->topLeft() != place || shown.window.size() != size);
             ++again) {
            shown.window.resize(size);
            shown.window.move(shown.window.pos() + place - placed->topLeft());
            placed = steady<QRect>(frame);
        }
        ASSERT_TRUE(placed && placed->topLeft() == place && shown.window.size() == size)
            << ::testing::PrintToString(placed.value_or(QRect()));
    }

    // A point on the title bar, this far into it from the frame's left.
    QPoint titleBar(int in = 200) {
        const QRect outer = frame();
        return {outer.left() + in, (outer.top() + shown.window.geometry().top()) / 2};
    }

    // The user presses a button at `from` (with the keys), carries the pointer to `to`, holds the
    // button there and lets go. `made` holds for the frame once the manager has made what the user
    // asked, and only then: the pointer's steps lie further apart than what it allows for. The
    // window must stand as the drag made it, while held and once let go. Some managers draw only
    // an outline while the button is held (fluxbox's and xfwm4's resize) and size the window as
    // it is let go.
    void drag(const char* name, QPoint from, QPoint to, int button, const char* keys,
              const std::function<bool(const QRect&)>& isMade) {
        const QRect before = frame();
        ASSERT_TRUE(Desktop::pressAndCarry(from, to, button, keys)) << name;
        std::optional<QRect> made, held;
        if (runUntil([&] { return isMade(frame()); }, std::chrono::seconds(2))) {
            made = frame();
            // Longer than the window manager takes to settle, and than anything the window did after.
            held = steady<QRect>(frame, std::chrono::milliseconds(600));
        }
        ASSERT_TRUE(Desktop::letGo(button, keys)) << name;
        if (!made && runUntil([&] { return isMade(frame()); }, std::chrono::seconds(10))) made = frame();
        const std::optional<QRect> left = steady<QRect>(frame);
        ASSERT_TRUE(made && left) << name << ": the manager didn't follow the pointer, "
                                  << ::testing::PrintToString(frame());
        std::cout << Desktop::manager().toStdString() << ", " << name << ": " << ::testing::PrintToString(before)
                  << " made " << ::testing::PrintToString(*made)
                  << (held ? ", held " + ::testing::PrintToString(*held) : std::string(" as let go"))
                  << ", after " << ::testing::PrintToString(*left) << '\n';
        if (held) {
            EXPECT_EQ(*held, *made) << name << ": moved while the button was held";
        }
        EXPECT_EQ(*left, *made) << name << ": moved once let go";
    }

    // The title-bar drag that leaves the frame's top left corner at `to`.
    void moveTo(const char* name, QPoint to) {
        const QRect before = frame();
        const QPoint from = titleBar();
        // xfwm4 takes a window taller than the smaller monitor no further onto it than the
        // monitors' edge less the height of the window's title bar.
        QPoint reached = to;
        if (Desktop::manager() == "xfwm4" && before.height() > smaller.height())
            reached.rx() = std::min(to.x(), smaller.left() - (shown.window.geometry().top() - before.top()));
        drag(name, from, from + to - before.topLeft(), leftButton, nullptr, [&](const QRect& now) {
            return now.size() == before.size() && (now.topLeft() - reached).manhattanLength() <= pointerSlip;
        });
    }

    // The resize drag from the frame's right part that widens it by `wider`.
    void widen(const char* name, int wider) {
        const QRect before = frame();
        // Below the middle and within the smaller monitor's height, which the pointer can't leave
        // for the part of the desktop no monitor shows.
        const QPoint from(before.right() - 40, std::min(before.center().y() + 60, smaller.bottom() - 40));
        const ResizeDrag resize = resizeDrag();
        drag(name, from, from + QPoint(wider, 0), resize.button, resize.keys, [&](const QRect& now) {
            return now.topLeft() == before.topLeft() && std::abs(now.height() - before.height()) <= pointerSlip &&
                   std::abs(now.width() - before.width() - wider) <= pointerSlip;
        });
    }

    Desktop desktop;
    ShownWindow shown;
    const std::function<QRect()> frame = [this] { return desktop.frame(shown.id()); };
};

// Widened partly below the smaller monitor, where no monitor is, then across both monitors.
TEST_F(UserMoves, AWindowWidenedByTheUserKeepsItsSize) {
    widen("widened partly below the smaller monitor", 500);
    widen("widened across both monitors", 960);
}

// Dropped half off the desktop's right edge on the smaller monitor (xfwm4 stops the frame at the
// monitors' edge less its title bar's height), maximised and restored there on the same screens
// (the window manager gives back the user's own place, which stands: metacity itself brings any
// window it restores inside the monitor, an xlogo as well), dropped across the monitors' edge,
// then dragged back where it was: its size is the user's throughout.
TEST_F(UserMoves, AWindowDraggedByTheUserStaysWhereDropped) {
    moveTo("dropped half off the right edge", {2600, 150});
    const QRect dropped = frame();
    const xcb_window_t id = shown.id();
    for (const bool maximised : {true, false}) {
        desktop.setState(id, maximised, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
        ASSERT_TRUE(runUntil([&] { return desktop.hasState(id, "_NET_WM_STATE_MAXIMIZED_HORZ") == maximised; }));
        ASSERT_TRUE(steady<QRect>(frame));
    }
    if (Desktop::manager() == "metacity") {
        EXPECT_EQ(shownShare(frame(), {smaller}), 1.0) << "restored: " << ::testing::PrintToString(frame());
    } else {
        EXPECT_EQ(frame(), dropped) << "restored";
    }
    const int height = frame().height();
    moveTo("dropped across the monitors' edge", {1400, 200});
    moveTo("dragged back", {300, 150});
    EXPECT_EQ(frame().height(), height);
}

// Dragged onto the smaller monitor, which can't hold the least size the window had on the large
// one, and maximised: it fills the monitor the manager maximises it on (icewm leaves its borders
// beyond the monitor's edges then, xfwm4 takes the large one, where the frame's corner lies).
TEST_F(UserMoves, AWindowDraggedOntoTheSmallerMonitorFillsItMaximised) {
    moveTo("dropped on the smaller monitor", {2000, 40});
    const xcb_window_t id = shown.id();
    desktop.setState(id, true, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
    ASSERT_TRUE(runUntil([&] { return desktop.hasState(id, "_NET_WM_STATE_MAXIMIZED_HORZ"); }));
    const auto settled = [&] { return std::pair{shown.window.geometry(), shown.window.QWidget::minimumSize()}; };
    const auto maximised = steady<std::pair<QRect, QSize>>(settled);
    ASSERT_TRUE(maximised);
    EXPECT_EQ(shownShare(maximised->first, {large, smaller}), 1.0) << ::testing::PrintToString(maximised->first);
}

} // namespace
