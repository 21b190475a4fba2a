#pragma once

#include <QRect>
#include <vector>

namespace zantiva {

class ManagedWindow;

// The monitors that are on, as the X server has them now (RandR's monitors, read anew each time,
// never a list kept from earlier events), each cut to the work area that the window manager
// leaves free on the current workspace, in the root window's pixels. Empty where the server has
// no RandR 1.5 or no monitor is on.
std::vector<QRect> serverScreens(ManagedWindow& window);

} // namespace zantiva
