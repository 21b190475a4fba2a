#include "Shell/WindowManagerRequests.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <vector>
#include <xcb/xcb.h>

#include "App/StartupId.h"

namespace zantiva {
namespace {

// The window-manager hints' source indication of a request that an application, not a pager, makes.
constexpr std::uint32_t fromApplication = 1;
// A window's desktop when it is on all of them.
constexpr std::uint32_t onAllDesktops = 0xFFFFFFFF;
// A startup message travels in client messages of 20 bytes each.
constexpr std::size_t startupChunk = 20;

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// The window manager's side of one window: its hints read and its requests sent.
class ManagedWindow {
public:
    // Absent off X11: the offscreen platform may name an X11 display too, without a connection to it.
    static std::optional<ManagedWindow> of(const QWidget& window) {
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (QGuiApplication::platformName() != QLatin1String("xcb") || !x11 || !x11->connection()) return std::nullopt;
        ManagedWindow managed(x11->connection(), xcb_window_t(window.winId()));
        if (managed.root_ == XCB_WINDOW_NONE) return std::nullopt;
        return managed;
    }

    bool managerSupports(const char* hint) {
        const auto supported = property(root_, "_NET_SUPPORTED", XCB_ATOM_ATOM);
        const xcb_atom_t wanted = atom(hint);
        return std::ranges::find(supported, wanted) != supported.end();
    }

    std::optional<std::uint32_t> cardinal(bool ofRoot, const char* name) {
        const auto values = property(ofRoot ? root_ : window_, name, XCB_ATOM_CARDINAL);
        return values.empty() ? std::nullopt : std::optional(values.front());
    }

    xcb_atom_t atom(const char* name) {
        const Owned<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name),
                                  nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    void request(const char* type, std::array<std::uint32_t, 5> data) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window_;
        message.type = atom(type);
        std::ranges::copy(data, message.data.data32);
        sendToRoot(message);
    }

    void setText(const char* name, const QByteArray& text) {
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, atom(name), atom("UTF8_STRING"), 8,
                            std::uint32_t(text.size()), text.constData());
    }

    // A message of the desktop's startup notification, with its closing zero byte.
    void startupMessage(const QByteArray& text) {
        const std::span<const char> bytes(text.constData(), std::size_t(text.size()) + 1);
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 8;
        message.window = window_;
        for (std::size_t sent = 0; sent < bytes.size(); sent += startupChunk) {
            message.type = atom(sent == 0 ? "_NET_STARTUP_INFO_BEGIN" : "_NET_STARTUP_INFO");
            const auto chunk = bytes.subspan(sent, std::min(startupChunk, bytes.size() - sent));
            std::memset(message.data.data8, 0, sizeof message.data.data8);
            std::ranges::copy(chunk, message.data.data8);
            xcb_send_event(connection_, false, root_, XCB_EVENT_MASK_PROPERTY_CHANGE,
                           reinterpret_cast<const char*>(&message));
        }
    }

    void flush() { xcb_flush(connection_); }

private:
    ManagedWindow(xcb_connection_t* connection, xcb_window_t window) : connection_(connection), window_(window) {
        const Owned<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window_), nullptr), &std::free);
        root_ = geometry ? geometry->root : xcb_window_t(XCB_WINDOW_NONE);
    }

    std::vector<std::uint32_t> property(xcb_window_t on, const char* name, xcb_atom_t type) {
        const Owned<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(connection_, xcb_get_property(connection_, 0, on, atom(name), type, 0, 1024), nullptr),
            &std::free);
        if (!reply || reply->type != type || reply->format != 32) return {};
        const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
        return {values, values + xcb_get_property_value_length(reply.get()) / 4};
    }

    void sendToRoot(const xcb_client_message_event_t& message) {
        xcb_send_event(connection_, false, root_,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&message));
    }

    xcb_connection_t* connection_;
    xcb_window_t window_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
};

} // namespace

void activateForLaunch(QWidget& window, const QByteArray& startupId) {
    window.raise();
    auto managed = ManagedWindow::of(window);
    if (!managed || !managed->managerSupports("_NET_ACTIVE_WINDOW")) return window.activateWindow();
    // Onto the workspace the user is on, as a window a launcher starts opens there.
    const auto current = managed->cardinal(true, "_NET_CURRENT_DESKTOP");
    const auto own = managed->cardinal(false, "_NET_WM_DESKTOP");
    if (current && own && *own != *current && *own != onAllDesktops)
        managed->request("_NET_WM_DESKTOP", {*current, fromApplication, 0, 0, 0});
    const bool launched = StartupId::isValid(startupId);
    if (launched) managed->setText("_NET_STARTUP_ID", startupId);
    const QWindow* focused = QGuiApplication::focusWindow();
    const std::uint32_t active = focused ? std::uint32_t(focused->winId()) : std::uint32_t(XCB_WINDOW_NONE);
    managed->request("_NET_ACTIVE_WINDOW",
                     {fromApplication, StartupId::userTime(startupId).value_or(XCB_CURRENT_TIME), active, 0, 0});
    if (launched) managed->startupMessage("remove: ID=" + startupId);
    managed->flush();
}

void fillScreenAgain(const QWidget& window) {
    auto managed = ManagedWindow::of(window);
    if (!managed || !managed->managerSupports("_NET_WM_STATE")) return;
    constexpr std::uint32_t add = 1;
    if (window.windowState() & Qt::WindowFullScreen)
        managed->request("_NET_WM_STATE", {add, managed->atom("_NET_WM_STATE_FULLSCREEN"), 0, fromApplication, 0});
    else
        managed->request("_NET_WM_STATE", {add, managed->atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                                           managed->atom("_NET_WM_STATE_MAXIMIZED_HORZ"), fromApplication, 0});
    managed->flush();
}

} // namespace zantiva
