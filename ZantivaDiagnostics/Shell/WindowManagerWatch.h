#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <xcb/xcb.h>

class QWidget;

namespace zantiva {

// Tells of each change that an X11 window manager or the X server's screens make, from the
// events the server sends Qt's connection, before Qt acts on them: Qt drops some (a state
// property the manager deleted) and may keep a screen list that is out of date. What changed is
// then read from the server. Off X11 nothing is told.
class WindowManagerWatch : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit WindowManagerWatch(const QWidget& window);
    ~WindowManagerWatch() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // Whether a pointer button is held now, as the X server has it (the manager's drag holds the
    // pointer, so the window sees no press): what the manager does to the window meanwhile is the
    // user's drag.
    bool pointerHeld() const;

signals:
    // The window's state, place, size, frame or workspace, its stacking or the active window.
    void windowChanged();
    // A monitor switched on or off, moved or changed, or the work area the manager leaves free.
    void screensChanged();

private:
    const QWidget& window_;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    std::uint8_t randrEvents_ = 0; // the first event number of RandR, 0 without it
    xcb_atom_t wmState_ = XCB_ATOM_NONE, netWmState_ = XCB_ATOM_NONE, frameExtents_ = XCB_ATOM_NONE,
               desktop_ = XCB_ATOM_NONE, workArea_ = XCB_ATOM_NONE, currentDesktop_ = XCB_ATOM_NONE,
               activeWindow_ = XCB_ATOM_NONE, stacking_ = XCB_ATOM_NONE;
};

} // namespace zantiva
