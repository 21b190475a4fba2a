#include "Shell/ManagedWindow.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <cstring>
#include <span>

#include "Shell/XcbReply.h"

namespace zantiva {
namespace {

// A startup message travels in client messages of 20 bytes each.
constexpr std::size_t startupChunk = 20;
// ICCCM's WM_STATE of a window its manager holds iconified.
constexpr std::uint32_t iconic = 3;

} // namespace

std::optional<ManagedWindow> ManagedWindow::of(const QWidget& window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !x11 || !x11->connection()) return std::nullopt;
    // A window not yet made is not made here: the manager knows nothing of it yet.
    if (!window.internalWinId()) return std::nullopt;
    ManagedWindow managed(x11->connection(), xcb_window_t(window.internalWinId()));
    if (managed.root_ == XCB_WINDOW_NONE) return std::nullopt;
    return managed;
}

ManagedWindow::ManagedWindow(xcb_connection_t* connection, xcb_window_t window) : connection_(connection), window_(window) {
    const auto geometry = xcbReply(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window_), nullptr));
    root_ = geometry ? geometry->root : xcb_window_t(XCB_WINDOW_NONE);
}

xcb_atom_t internedAtom(xcb_connection_t* connection, const char* name) {
    const auto reply = xcbReply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_atom_t ManagedWindow::atom(const char* name) { return internedAtom(connection_, name); }

bool ManagedWindow::managerSupports(const char* hint) {
    const auto supported = property(root_, "_NET_SUPPORTED", XCB_ATOM_ATOM);
    return std::ranges::find(supported, atom(hint)) != supported.end();
}

std::optional<std::uint32_t> ManagedWindow::cardinal(bool ofRoot, const char* name) {
    const auto values = cardinals(ofRoot, name);
    return values.empty() ? std::nullopt : std::optional(values.front());
}

std::vector<std::uint32_t> ManagedWindow::cardinals(bool ofRoot, const char* name) {
    return property(ofRoot ? root_ : window_, name, XCB_ATOM_CARDINAL);
}

std::vector<std::uint32_t> ManagedWindow::property(xcb_window_t on, const char* name, xcb_atom_t type) {
    const auto reply = xcbReply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, on, atom(name), type, 0, 1024), nullptr));
    if (!reply || reply->type != type || reply->format != 32) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

ManagerState ManagedWindow::state() {
    // A manager may delete the property once the last state goes (fluxbox does), rather than
    // empty it: missing, it holds no state.
    const auto states = property(window_, "_NET_WM_STATE", XCB_ATOM_ATOM);
    const auto has = [&](const char* name) { return std::ranges::find(states, atom(name)) != states.end(); };
    const auto wmState = property(window_, "WM_STATE", atom("WM_STATE"));
    // Iconified is minimised where the manager doesn't mark minimised windows hidden; where it
    // does, a window iconified on another workspace isn't minimised (as Qt judges it too).
    const bool iconified = !wmState.empty() && wmState.front() == iconic;
    return {has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ"),
            has("_NET_WM_STATE_FULLSCREEN"),
            iconified && (has("_NET_WM_STATE_HIDDEN") || !managerSupports("_NET_WM_STATE_HIDDEN")),
            has("_NET_WM_STATE_SHADED")};
}

xcb_window_t ManagedWindow::topLevel(xcb_window_t window) {
    for (;;) {
        const auto tree = xcbReply(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
        if (!tree || tree->parent == root_ || tree->parent == XCB_WINDOW_NONE) return window;
        window = tree->parent;
    }
}

QRect ManagedWindow::frame() {
    const auto geometry =
        xcbReply(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, topLevel(window_)), nullptr));
    if (!geometry) return {};
    return {geometry->x, geometry->y, geometry->width + 2 * geometry->border_width,
            geometry->height + 2 * geometry->border_width};
}

QRect ManagedWindow::inside() {
    const auto geometry = xcbReply(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window_), nullptr));
    const auto place = xcbReply(xcb_translate_coordinates_reply(
        connection_, xcb_translate_coordinates(connection_, window_, root_, 0, 0), nullptr));
    if (!geometry || !place) return {};
    return {place->dst_x, place->dst_y, geometry->width, geometry->height};
}

std::optional<xcb_window_t> ManagedWindow::coveredBy() {
    const xcb_window_t own = topLevel(window_);
    const QRect ownFrame = frame();
    // The frames of the windows the manager holds: not its own panels, menus or tooltips above
    // every window, which some managers (fluxbox) make override-redirect just like the frames.
    const auto clients = property(root_, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    std::vector<xcb_window_t> frames;
    for (const std::uint32_t client : clients) frames.push_back(topLevel(client));
    const auto tree = xcbReply(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree) return std::nullopt;
    // The root's children from the bottom of the stack to its top.
    const std::span<const xcb_window_t> stack(xcb_query_tree_children(tree.get()),
                                              std::size_t(xcb_query_tree_children_length(tree.get())));
    const auto above = std::ranges::find(stack, own);
    if (above == stack.end()) return std::nullopt;
    std::optional<xcb_window_t> covering;
    for (auto other = std::next(above); other != stack.end(); ++other) {
        const auto held = std::ranges::find(frames, *other);
        if (held == frames.end() || *other == own) continue;
        const auto attributes = xcbReply(
            xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, *other), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) continue;
        const auto geometry = xcbReply(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, *other), nullptr));
        if (geometry && QRect(geometry->x, geometry->y, geometry->width, geometry->height).intersects(ownFrame))
            covering = clients[std::size_t(held - frames.begin())];
    }
    return covering;
}

bool ManagedWindow::active() {
    const auto active = property(root_, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    return !active.empty() && active.front() == window_;
}

void ManagedWindow::request(const char* type, std::array<std::uint32_t, 5> data, std::optional<xcb_window_t> about) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = about.value_or(window_);
    message.type = atom(type);
    std::ranges::copy(data, message.data.data32);
    xcb_send_event(connection_, false, root_, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
}

void ManagedWindow::setText(const char* name, const QByteArray& text) {
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, atom(name), atom("UTF8_STRING"), 8,
                        std::uint32_t(text.size()), text.constData());
}

void ManagedWindow::startupMessage(const QByteArray& text) {
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
        xcb_send_event(connection_, false, root_, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&message));
    }
}

} // namespace zantiva
