#pragma once

#include <QByteArray>
#include <QRect>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

class QWidget;

namespace zantiva {

// A window's state as its X11 window manager last wrote it on the window (`_NET_WM_STATE`,
// `WM_STATE`), read from the X server, not from the events Qt kept of it.
struct ManagerState {
    bool maximised = false; // both ways
    bool fullScreen = false;
    bool minimised = false;
    bool shaded = false;

    bool operator==(const ManagerState&) const = default;
};

// The window manager's side of one top-level window on X11: its hints and the screens read from
// the X server as they are now, and the requests of the desktop's window-manager hints sent.
class ManagedWindow {
public:
    // Absent off X11 (the offscreen platform may name an X11 display too, without a connection to
    // it) and before the window is made.
    static std::optional<ManagedWindow> of(const QWidget& window);

    xcb_connection_t* connection() const { return connection_; }
    xcb_window_t window() const { return window_; }
    xcb_window_t root() const { return root_; }

    xcb_atom_t atom(const char* name);
    bool managerSupports(const char* hint);
    std::optional<std::uint32_t> cardinal(bool ofRoot, const char* name);
    std::vector<std::uint32_t> cardinals(bool ofRoot, const char* name);
    // A property's 32-bit values, empty where it is missing (deleted) or of another type.
    std::vector<std::uint32_t> property(xcb_window_t on, const char* name, xcb_atom_t type);

    ManagerState state();
    // The window manager's frame around the window where the X server has it (the window itself
    // where nothing frames it), in the root window's pixels.
    QRect frame();
    // The window without its frame, in the root window's pixels.
    QRect inside();
    // Of the other windows the manager holds whose frames are shown above the window's and overlap
    // it, the topmost; none where the window is in front.
    std::optional<xcb_window_t> coveredBy();
    // Whether the window manager has the window as the active one.
    bool active();

    // A request about the window, or about another one the manager holds.
    void request(const char* type, std::array<std::uint32_t, 5> data, std::optional<xcb_window_t> about = {});
    void setText(const char* name, const QByteArray& text);
    // A message of the desktop's startup notification, with its closing zero byte.
    void startupMessage(const QByteArray& text);
    void flush() { xcb_flush(connection_); }

private:
    ManagedWindow(xcb_connection_t* connection, xcb_window_t window);

    // The child of the root window that holds a window: the manager's frame.
    xcb_window_t topLevel(xcb_window_t window);

    xcb_connection_t* connection_;
    xcb_window_t window_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
};

// The atom of a name on the X server of the connection (none where it can't be had).
xcb_atom_t internedAtom(xcb_connection_t* connection, const char* name);

// The window-hints source indication of a request that an application, not a pager, makes.
inline constexpr std::uint32_t fromApplication = 1;
// The one of a request that carries the user's own act, as a pager's or a taskbar's does.
inline constexpr std::uint32_t fromUser = 2;

} // namespace zantiva
