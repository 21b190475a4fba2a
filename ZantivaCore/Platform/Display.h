#pragma once

namespace zantiva {

// Whether a window could be shown: a display, or a Qt platform chosen in the environment.
bool hasDisplay();

} // namespace zantiva
