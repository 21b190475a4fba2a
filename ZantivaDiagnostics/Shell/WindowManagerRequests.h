#pragma once

class QWidget;

namespace zantiva {

// What the window asks of an X11 window manager itself, through the desktop's window-manager
// hints, where Qt 6.4 has no call for it. Off X11 (or without such a manager) Qt's own calls
// stand in, or nothing is asked.

// Asks the manager to maximise (or make full screen) again a window it holds so, once its least
// size was lowered to fit a screen that went or shrank: xfwm4 fits the window to that screen only
// when asked again, and until then won't restore it.
void fillScreenAgain(const QWidget& window);

} // namespace zantiva
