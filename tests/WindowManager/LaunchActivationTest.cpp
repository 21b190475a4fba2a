// The window under openbox, on the X server under-openbox.sh starts: a launch that hands over
// brings back a window the user left on another workspace.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

#include "../Support/AwaitTask.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "Shell/MainWindow.h"

using namespace zantiva;
using zantiva::testing::runUntil;

namespace {

// The desktop as a pager sees it and asks it of the window manager.
class Pager {
public:
    Pager() : connection_(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection()) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }

    std::optional<std::uint32_t> cardinal(std::optional<xcb_window_t> window, const char* name) {
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(
                connection_, xcb_get_property(connection_, 0, window.value_or(root_), atom(name), XCB_ATOM_CARDINAL, 0, 1),
                nullptr),
            &std::free);
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4) return std::nullopt;
        return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    }

    // The window onto a workspace, as the user asks it through a pager.
    void moveToWorkspace(xcb_window_t window, std::uint32_t workspace) {
        constexpr std::uint32_t fromPager = 2;
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom("_NET_WM_DESKTOP");
        message.data.data32[0] = workspace;
        message.data.data32[1] = fromPager;
        xcb_send_event(connection_, false, root_,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection_);
    }

    // The X server's time now, as a launcher stamps the user's act into its startup id: a
    // property changed on a window of a connection of its own tells it.
    static std::uint32_t serverTime() {
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

private:
    xcb_atom_t atom(const char* name) {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name),
                                  nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
};

// Window managers decline a program's own activation of a window on another workspace (and Qt
// asks none while the window isn't shown): the window asks to be brought to the workspace the
// user is on and activated, as a launcher's startup id allows, and with no id at all.
TEST(UnderAWindowManager, ALaunchThatHandsOverBringsAWindowOnAnotherWorkspaceToTheUsersOne) {
    Loc loc{AppLanguage::english};
    LocNotifier notifier{loc};
    MainWindow window{notifier};
    window.setContent(new QWidget);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Pager pager;
    const auto id = xcb_window_t(window.winId());
    const std::optional<std::uint32_t> users = pager.cardinal(std::nullopt, "_NET_CURRENT_DESKTOP");
    ASSERT_TRUE(users);
    ASSERT_TRUE(runUntil([&] { return pager.cardinal(id, "_NET_WM_DESKTOP") == users; }));

    for (const bool launcher : {false, true}) {
        pager.moveToWorkspace(id, *users + 1);
        ASSERT_TRUE(runUntil([&] { return !window.windowHandle()->isExposed(); }))
            << "the user's workspace no longer shows it";
        // From a terminal, no startup id; from a launcher, one with the time of the user's act.
        const QByteArray startupId = launcher ? "launcher/zantiva-diagnostics/1-0-host_TIME" +
                                                    QByteArray::number(Pager::serverTime())
                                              : QByteArray();
        window.bringToFront(startupId);
        EXPECT_TRUE(runUntil([&] {
            return pager.cardinal(id, "_NET_WM_DESKTOP") == users &&
                   pager.cardinal(std::nullopt, "_NET_CURRENT_DESKTOP") == users && window.windowHandle()->isExposed() &&
                   window.isActiveWindow();
        })) << startupId.toStdString();
    }
}

} // namespace
