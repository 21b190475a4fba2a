#pragma once

#include <string>

namespace zantiva {

// Whether a window could be shown: a display, or a Qt platform chosen in the environment.
bool hasDisplay();

// The settings that choose the display a window would open on, as "NAME=value" joined by
// ", " ("DISPLAY=:99, QT_QPA_PLATFORM=xcb"); what a failure to open it names.
std::string displaySettings();

} // namespace zantiva
