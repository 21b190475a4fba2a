#include "Shell/WindowManagerWatch.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/randr.h>

#include "Shell/ManagedWindow.h"
#include "Shell/XcbReply.h"

namespace zantiva {

WindowManagerWatch::WindowManagerWatch(const QWidget& window) : window_(window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !x11 || !x11->connection()) return;
    xcb_connection_t* connection = connection_ = x11->connection();
    // Qt's connection already asks for the root window's property changes and RandR's events.
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    if (const auto* randr = xcb_get_extension_data(connection, &xcb_randr_id); randr && randr->present)
        randrEvents_ = randr->first_event;
    wmState_ = internedAtom(connection, "WM_STATE");
    netWmState_ = internedAtom(connection, "_NET_WM_STATE");
    frameExtents_ = internedAtom(connection, "_NET_FRAME_EXTENTS");
    desktop_ = internedAtom(connection, "_NET_WM_DESKTOP");
    workArea_ = internedAtom(connection, "_NET_WORKAREA");
    currentDesktop_ = internedAtom(connection, "_NET_CURRENT_DESKTOP");
    activeWindow_ = internedAtom(connection, "_NET_ACTIVE_WINDOW");
    stacking_ = internedAtom(connection, "_NET_CLIENT_LIST_STACKING");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowManagerWatch::~WindowManagerWatch() {
    if (root_ != XCB_WINDOW_NONE) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool WindowManagerWatch::pointerHeld() const {
    if (root_ == XCB_WINDOW_NONE) return false;
    const auto pointer = xcbReply(xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), nullptr));
    // The wheel's buttons are only ever pressed for an instant.
    return pointer && (pointer->mask & (XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3)) != 0;
}

bool WindowManagerWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto type = std::uint8_t(event->response_type & ~0x80);
    // Only a window that has been made has events.
    const auto own = xcb_window_t(window_.internalWinId());
    if (randrEvents_ != 0 &&
        (type == randrEvents_ + XCB_RANDR_SCREEN_CHANGE_NOTIFY || type == randrEvents_ + XCB_RANDR_NOTIFY)) {
        emit screensChanged();
    } else if (type == XCB_PROPERTY_NOTIFY) {
        const auto* property = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (property->window == root_ && (property->atom == workArea_ || property->atom == currentDesktop_))
            emit screensChanged();
        else if (property->window == root_ && (property->atom == activeWindow_ || property->atom == stacking_))
            emit windowChanged();
        else if (own != XCB_WINDOW_NONE && property->window == own &&
                 (property->atom == netWmState_ || property->atom == wmState_ || property->atom == frameExtents_ ||
                  property->atom == desktop_))
            emit windowChanged();
    } else if (own != XCB_WINDOW_NONE &&
               ((type == XCB_CONFIGURE_NOTIFY && reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window == own) ||
                (type == XCB_MAP_NOTIFY && reinterpret_cast<const xcb_map_notify_event_t*>(event)->window == own) ||
                (type == XCB_UNMAP_NOTIFY && reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window == own))) {
        emit windowChanged();
    }
    return false;
}

} // namespace zantiva
