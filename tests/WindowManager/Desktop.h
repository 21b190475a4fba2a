#pragma once

// The desktop as the window-manager tests see and drive it, on an X connection of its own: what
// the window manager says of a window, and the user's acts through a pager's requests, the
// keyboard, the pointer and xrandr. It never asks the X server for its screens: the tests know the monitors they set.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <functional>
#include <utility>
#include <initializer_list>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

namespace zantiva::testing {

// An output of the dummy driver switched on, as a monitor plugged in.
struct Monitor {
    const char* output;
    QRect area; // its place and mode
};

class Desktop {
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The window manager's name, as the test script started it.
    static QString manager();

    // Switches these outputs on (the first one primary) and every other one off, in one xrandr run.
    static bool plug(std::initializer_list<Monitor> monitors);
    // Keys pressed and let go, as xdotool names them ("super+KP_Left").
    static bool press(const char* keys);
    // The user's pointer moved to this place of the screen and its left button clicked there.
    static bool click(const QPoint& at);
    // A line typed on the keyboard, Return pressed at its end.
    static bool type(const char* line);
    // The user's hand on the pointer: a button pressed at a place, with keys held (as xdotool names
    // them, "alt"; none for a plain press), and the pointer carried in steps to another place,
    // the button still held; then let go there, and the keys with it.
    static bool pressAndCarry(const QPoint& from, const QPoint& to, int button, const char* keys = nullptr);
    static bool letGo(int button, const char* keys = nullptr);

    // The frame's place: the window's as the server has it, widened by the frame the manager says it drew.
    QRect frame(xcb_window_t window);
    bool hasState(xcb_window_t window, const char* state);
    bool minimised(xcb_window_t window);
    // Whether the window is mapped and its parents too: shown, where nothing covers it.
    bool viewable(xcb_window_t window);
    // Whether the window's frame is stacked above the other one's on the X server (fluxbox doesn't
    // keep the hints' stacking list up to date).
    bool above(xcb_window_t window, xcb_window_t other);
    bool active(xcb_window_t window);
    // Whether the X server's keyboard focus is on the window or inside it: where typed keys go.
    bool hasKeyboard(xcb_window_t window);
    std::optional<std::uint32_t> workspace(std::optional<xcb_window_t> window);

    // The window of another program, shown by the manager (its `_NET_CLIENT_LIST`) with the
    // program's process number (`_NET_WM_PID`); none before it is.
    std::optional<xcb_window_t> windowOf(qint64 process);

    // A pager's requests.
    void setState(xcb_window_t window, bool on, const char* state, const char* other = nullptr);
    void minimise(xcb_window_t window);
    void toWorkspace(xcb_window_t window, std::uint32_t workspace);
    void activate(xcb_window_t window);
    void moveTo(xcb_window_t window, int x, int y);

    // The X server's time now, as a launcher stamps the user's act into its startup id.
    static std::uint32_t serverTime();

    // Another application's window, mapped at this place and activated.
    xcb_window_t openOther(const QRect& place);
    void close(xcb_window_t other);

private:
    xcb_atom_t atom(const char* name);
    // The child of the root window that holds the window: its frame.
    xcb_window_t frameOf(xcb_window_t window);
    std::vector<std::uint32_t> property(xcb_window_t window, const char* name, xcb_atom_t type);
    void ask(xcb_window_t window, const char* type, std::initializer_list<std::uint32_t> data);

    xcb_connection_t* connection_;
    xcb_window_t root_;
};

// The share of the frame that the monitors show (where they overlap, once), 0 to 1.
double shownShare(const QRect& frame, const std::vector<QRect>& monitors);

// Turns the event loop until `read` has given the same value for `span` (the window manager and
// the window have done all they do after a change), and gives it; nothing when `limit` passed first.
template <typename T>
std::optional<T> steady(const std::function<T()>& read, std::chrono::milliseconds span = std::chrono::milliseconds(800),
                        std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    QElapsedTimer timer, still;
    timer.start();
    still.start();
    T last = read();
    while (timer.elapsed() <= limit.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        T now = read();
        if (!(now == last)) {
            last = std::move(now);
            still.restart();
        } else if (still.elapsed() >= span.count()) {
            return last;
        }
    }
    return std::nullopt;
}

} // namespace zantiva::testing
