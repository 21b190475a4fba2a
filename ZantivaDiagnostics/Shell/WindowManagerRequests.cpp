#include "Shell/WindowManagerRequests.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdint>

#include "App/StartupId.h"
#include "Shell/ManagedWindow.h"

namespace zantiva {
namespace {

// A window's desktop when it is on all of them.
constexpr std::uint32_t onAllDesktops = 0xFFFFFFFF;
// What a `_NET_WM_STATE` request does with the states it names.
constexpr std::uint32_t removeState = 0, addState = 1;

} // namespace

void activateForLaunch(QWidget& window, QWidget& focused, const QByteArray& startupId) {
    auto managed = ManagedWindow::of(window);
    auto taking = ManagedWindow::of(focused);
    const bool hinted = managed && taking && managed->managerSupports("_NET_ACTIVE_WINDOW");
    if (hinted) {
        // Onto the workspace the user is on, as a window a launcher starts opens there, before it
        // is shown again: fluxbox ignores the map of a minimised window on another workspace, and
        // then leaves it below the window the user is in.
        const auto current = managed->cardinal(true, "_NET_CURRENT_DESKTOP");
        for (ManagedWindow* shown : {&*managed, &*taking}) {
            const auto own = shown->cardinal(false, "_NET_WM_DESKTOP");
            if (current && own && *own != *current && *own != onAllDesktops)
                shown->request("_NET_WM_DESKTOP", {*current, fromApplication, 0, 0, 0});
        }
        // Rolled up to its title bar, the window shows nothing and takes no keys (xfwm4 and
        // fluxbox keep it so when they activate it).
        if (managed->state().shaded)
            managed->request("_NET_WM_STATE",
                             {removeState, managed->atom("_NET_WM_STATE_SHADED"), 0, fromApplication, 0});
    }
    if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    if (!hinted) {
        focused.raise();
        return focused.activateWindow();
    }
    const bool launched = StartupId::isValid(startupId);
    if (launched) managed->setText("_NET_STARTUP_ID", startupId);
    // The one activation, which raises the window too, as the user's own request: a launch is the
    // user's act. fluxbox declines an application's while a full-screen window on the same
    // monitor has the keyboard (the terminal the launch was typed into).
    const QWindow* active = QGuiApplication::focusWindow();
    taking->request("_NET_ACTIVE_WINDOW", {fromUser, StartupId::userTime(startupId).value_or(XCB_CURRENT_TIME),
                                           active ? std::uint32_t(active->winId()) : std::uint32_t(XCB_WINDOW_NONE), 0, 0});
    if (launched) managed->startupMessage("remove: ID=" + startupId);
    managed->flush();
}

void fillScreenAgain(const QWidget& window, bool fullScreen) {
    auto managed = ManagedWindow::of(window);
    if (!managed || !managed->managerSupports("_NET_WM_STATE")) return;
    if (fullScreen)
        managed->request("_NET_WM_STATE", {addState, managed->atom("_NET_WM_STATE_FULLSCREEN"), 0, fromApplication, 0});
    else
        managed->request("_NET_WM_STATE", {addState, managed->atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                                           managed->atom("_NET_WM_STATE_MAXIMIZED_HORZ"), fromApplication, 0});
    managed->flush();
}

} // namespace zantiva
