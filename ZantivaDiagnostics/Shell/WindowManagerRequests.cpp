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

void activateForLaunch(QWidget& window, const QByteArray& startupId) {
    window.raise();
    auto managed = ManagedWindow::of(window);
    if (!managed || !managed->managerSupports("_NET_ACTIVE_WINDOW")) return window.activateWindow();
    // Onto the workspace the user is on, as a window a launcher starts opens there.
    const auto current = managed->cardinal(true, "_NET_CURRENT_DESKTOP");
    const auto own = managed->cardinal(false, "_NET_WM_DESKTOP");
    if (current && own && *own != *current && *own != onAllDesktops)
        managed->request("_NET_WM_DESKTOP", {*current, fromApplication, 0, 0, 0});
    // Rolled up to its title bar, the window shows nothing and takes no keys (xfwm4 and fluxbox
    // keep it so when they activate it).
    if (managed->state().shaded)
        managed->request("_NET_WM_STATE", {removeState, managed->atom("_NET_WM_STATE_SHADED"), 0, fromApplication, 0});
    const bool launched = StartupId::isValid(startupId);
    if (launched) managed->setText("_NET_STARTUP_ID", startupId);
    const QWindow* focused = QGuiApplication::focusWindow();
    const std::uint32_t active = focused ? std::uint32_t(focused->winId()) : std::uint32_t(XCB_WINDOW_NONE);
    managed->request("_NET_ACTIVE_WINDOW",
                     {fromApplication, StartupId::userTime(startupId).value_or(XCB_CURRENT_TIME), active, 0, 0});
    // Once activated, the window that covers it goes below it: fluxbox gives a window it brings
    // from another workspace the keyboard, leaves it below the window the user was in and ignores
    // Qt's raise; the one restack it does is a window put below a sibling named.
    if (const auto covering = managed->coveredBy(); covering && managed->managerSupports("_NET_RESTACK_WINDOW"))
        managed->request("_NET_RESTACK_WINDOW", {fromApplication, managed->window(), XCB_STACK_MODE_BELOW, 0, 0},
                         *covering);
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
