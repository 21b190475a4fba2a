#include "Desktop.h"

#include <QProcess>
#include <QRegion>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace zantiva::testing {
namespace {

// The window-hints source indication of a pager's request, which managers take as the user's.
constexpr std::uint32_t fromPager = 2;

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply) {
    return {reply, &std::free};
}

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

Desktop::Desktop() : connection_(xcb_connect(nullptr, nullptr)) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
}

Desktop::~Desktop() { xcb_disconnect(connection_); }

QString Desktop::manager() { return qEnvironmentVariable("ZANTIVA_WINDOW_MANAGER"); }

bool Desktop::plug(std::initializer_list<Monitor> monitors) {
    QStringList arguments;
    for (const QString output : {"DUMMY0", "DUMMY1", "DUMMY2"}) {
        const auto on = std::ranges::find_if(monitors, [&](const Monitor& monitor) { return output == monitor.output; });
        arguments << "--output" << output;
        if (on == monitors.end()) {
            arguments << "--off";
            continue;
        }
        arguments << "--mode" << QStringLiteral("%1x%2").arg(on->area.width()).arg(on->area.height()) << "--pos"
                  << QStringLiteral("%1x%2").arg(on->area.x()).arg(on->area.y());
        if (on == monitors.begin()) arguments << "--primary";
    }
    return run("xrandr", arguments);
}

bool Desktop::press(const char* keys) { return run("xdotool", {"key", keys}); }

bool Desktop::click(const QPoint& at) {
    // The server takes the move before the click; xdotool's own wait for the move would wait in
    // vain where the pointer is already there.
    return run("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

bool Desktop::type(const char* line) {
    return run("xdotool", {"type", "--delay", "20", line}) && run("xdotool", {"key", "Return"});
}

bool Desktop::pressAndCarry(const QPoint& from, const QPoint& to, int button, const char* keys) {
    // One run of xdotool: a hand's motion comes as many small moves, and a window manager starts
    // a drag only once the pointer has gone a few pixels (fluxbox from there on).
    constexpr int steps = 12;
    QStringList arguments{"mousemove", QString::number(from.x()), QString::number(from.y())};
    if (keys) arguments << "keydown" << keys;
    arguments << "mousedown" << QString::number(button);
    const QPoint start = from + QPoint(to.x() > from.x() ? 4 : to.x() < from.x() ? -4 : 0, 0);
    arguments << "sleep" << "0.03" << "mousemove" << QString::number(start.x()) << QString::number(start.y());
    for (int step = 1; step <= steps; ++step) {
        const QPoint at = from + (to - from) * step / steps;
        arguments << "sleep" << "0.03" << "mousemove" << QString::number(at.x()) << QString::number(at.y());
    }
    return run("xdotool", arguments);
}

bool Desktop::letGo(int button, const char* keys) {
    QStringList arguments{"mouseup", QString::number(button)};
    if (keys) arguments << "keyup" << keys;
    return run("xdotool", arguments);
}

xcb_atom_t Desktop::atom(const char* name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<std::uint32_t> Desktop::property(xcb_window_t window, const char* name, xcb_atom_t type) {
    const auto reply = owned(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, atom(name), type, 0, 1024), nullptr));
    if (!reply || reply->format != 32) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

QRect Desktop::frame(xcb_window_t window) {
    const auto geometry = owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    const auto place = owned(xcb_translate_coordinates_reply(
        connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr));
    if (!geometry || !place) return {};
    // Left, right, top, bottom.
    auto extents = property(window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    extents.resize(4, 0);
    return QRect(place->dst_x, place->dst_y, geometry->width, geometry->height)
        .adjusted(-int(extents[0]), -int(extents[2]), int(extents[1]), int(extents[3]));
}

bool Desktop::hasState(xcb_window_t window, const char* state) {
    const auto states = property(window, "_NET_WM_STATE", XCB_ATOM_ATOM);
    return std::ranges::find(states, atom(state)) != states.end();
}

bool Desktop::minimised(xcb_window_t window) {
    const auto state = property(window, "WM_STATE", atom("WM_STATE"));
    constexpr std::uint32_t iconic = 3;
    return !state.empty() && state.front() == iconic;
}

bool Desktop::viewable(xcb_window_t window) {
    const auto attributes =
        owned(xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

xcb_window_t Desktop::frameOf(xcb_window_t window) {
    for (;;) {
        const auto tree = owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
        if (!tree || tree->parent == root_) return window;
        window = tree->parent;
    }
}

bool Desktop::above(xcb_window_t window, xcb_window_t other) {
    const auto tree = owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree) return false;
    // From the bottom of the stack to its top.
    const xcb_window_t* first = xcb_query_tree_children(tree.get());
    const xcb_window_t* last = first + xcb_query_tree_children_length(tree.get());
    return std::find(first, last, frameOf(window)) > std::find(first, last, frameOf(other));
}

bool Desktop::active(xcb_window_t window) {
    const auto active = property(root_, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    return !active.empty() && active.front() == window;
}

bool Desktop::hasKeyboard(xcb_window_t window) {
    const auto focus = owned(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    // None and the pointer's root stand for no window.
    xcb_window_t inside = focus ? focus->focus : xcb_window_t(XCB_WINDOW_NONE);
    while (inside > XCB_INPUT_FOCUS_POINTER_ROOT) {
        if (inside == window) return true;
        const auto tree = owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, inside), nullptr));
        if (!tree || tree->parent == root_) return false;
        inside = tree->parent;
    }
    return false;
}

std::optional<std::uint32_t> Desktop::workspace(std::optional<xcb_window_t> window) {
    const auto values =
        property(window.value_or(root_), window ? "_NET_WM_DESKTOP" : "_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL);
    return values.empty() ? std::nullopt : std::optional(values.front());
}

std::optional<xcb_window_t> Desktop::windowOf(qint64 process) {
    for (const std::uint32_t client : property(root_, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW)) {
        const auto pid = property(client, "_NET_WM_PID", XCB_ATOM_CARDINAL);
        if (!pid.empty() && pid.front() == process) return client;
    }
    return std::nullopt;
}

void Desktop::ask(xcb_window_t window, const char* type, std::initializer_list<std::uint32_t> data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(type);
    std::ranges::copy(data, message.data.data32);
    xcb_send_event(connection_, false, root_, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

void Desktop::setState(xcb_window_t window, bool on, const char* state, const char* other) {
    ask(window, "_NET_WM_STATE", {on ? 1u : 0u, atom(state), other ? atom(other) : 0u, fromPager});
}

void Desktop::minimise(xcb_window_t window) {
    constexpr std::uint32_t iconic = 3;
    ask(window, "WM_CHANGE_STATE", {iconic});
}

void Desktop::toWorkspace(xcb_window_t window, std::uint32_t workspace) {
    ask(window, "_NET_WM_DESKTOP", {workspace, fromPager});
}

void Desktop::activate(xcb_window_t window) { ask(window, "_NET_ACTIVE_WINDOW", {fromPager, XCB_CURRENT_TIME, 0}); }

void Desktop::moveTo(xcb_window_t window, int x, int y) {
    constexpr std::uint32_t northWest = 1, withX = 1 << 8, withY = 1 << 9;
    ask(window, "_NET_MOVERESIZE_WINDOW",
        {northWest | withX | withY | fromPager << 12, std::uint32_t(x), std::uint32_t(y), 0, 0});
}

std::uint32_t Desktop::serverTime() {
    // A property changed on a window of a connection of its own tells it.
    xcb_connection_t* own = xcb_connect(nullptr, nullptr);
    const xcb_window_t window = xcb_generate_id(own);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(own, 0, window, xcb_setup_roots_iterator(xcb_get_setup(own)).data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    xcb_change_property(own, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 1, "t");
    xcb_flush(own);
    std::uint32_t time = 0;
    while (xcb_generic_event_t* event = xcb_wait_for_event(own)) {
        const bool property = (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY;
        if (property) time = reinterpret_cast<xcb_property_notify_event_t*>(event)->time;
        std::free(event);
        if (property) break;
    }
    xcb_disconnect(own);
    return time;
}

xcb_window_t Desktop::openOther(const QRect& place) {
    const xcb_window_t window = xcb_generate_id(connection_);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const std::uint32_t background = screen->white_pixel;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, std::int16_t(place.x()), std::int16_t(place.y()),
                      std::uint16_t(place.width()), std::uint16_t(place.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL, &background);
    constexpr char name[] = "Another application";
    constexpr char windowClass[] = "other\0Other";
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        sizeof name - 1, name);
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        sizeof windowClass, windowClass);
    xcb_map_window(connection_, window);
    xcb_flush(connection_);
    activate(window);
    return window;
}

void Desktop::close(xcb_window_t other) {
    xcb_destroy_window(connection_, other);
    xcb_flush(connection_);
}

double shownShare(const QRect& frame, const std::vector<QRect>& monitors) {
    if (frame.isEmpty()) return 0;
    QRegion screens;
    for (const QRect& monitor : monitors) screens += monitor;
    double shown = 0;
    for (const QRect& part : screens & frame) shown += double(part.width()) * part.height();
    return shown / (double(frame.width()) * frame.height());
}

} // namespace zantiva::testing
