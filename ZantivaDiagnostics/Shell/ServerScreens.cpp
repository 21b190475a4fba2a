#include "Shell/ServerScreens.h"

#include <xcb/randr.h>

#include "Shell/ManagedWindow.h"
#include "Shell/XcbReply.h"

namespace zantiva {

std::vector<QRect> serverScreens(ManagedWindow& window) {
    xcb_connection_t* connection = window.connection();
    const auto* randr = xcb_get_extension_data(connection, &xcb_randr_id);
    if (!randr || !randr->present) return {};
    const auto monitors =
        xcbReply(xcb_randr_get_monitors_reply(connection, xcb_randr_get_monitors(connection, window.root(), 1), nullptr));
    if (!monitors) return {};
    // The work area of each workspace, four values each; a manager that keeps one for all writes one.
    const auto areas = window.cardinals(true, "_NET_WORKAREA");
    const std::size_t desktop = window.cardinal(true, "_NET_CURRENT_DESKTOP").value_or(0);
    const std::size_t at = areas.size() >= 4 * (desktop + 1) ? 4 * desktop : 0;
    const QRect workArea = areas.size() >= at + 4 ? QRect(int(areas[at]), int(areas[at + 1]), int(areas[at + 2]),
                                                          int(areas[at + 3]))
                                                  : QRect();
    std::vector<QRect> screens;
    for (auto monitor = xcb_randr_get_monitors_monitors_iterator(monitors.get()); monitor.rem;
         xcb_randr_monitor_info_next(&monitor)) {
        const QRect whole(monitor.data->x, monitor.data->y, monitor.data->width, monitor.data->height);
        // A work area the manager has not yet written anew for the monitors as they are now may
        // miss a monitor altogether: then the whole monitor stands.
        const QRect free = whole & workArea;
        screens.push_back(free.isEmpty() ? whole : free);
    }
    return screens;
}

} // namespace zantiva
