#pragma once

#include <QByteArray>

class QWidget;

namespace zantiva {

// What the window asks of an X11 window manager itself, through the desktop's window-manager
// hints, where Qt 6.4 has no call for it. Off X11 (or without such a manager) Qt's own calls
// stand in, or nothing is asked.

// Brings a shown top-level window to the user for a launch: it is moved onto the workspace the
// user is on, unshaded, and the manager is asked to activate it with the time of the user's act that the
// launch's startup id carries (a manager declines a program's own request without it), and the
// launcher's busy feedback for that id ends. Raised and activated by Qt where that can't be asked.
void activateForLaunch(QWidget& window, const QByteArray& startupId);

// Asks the manager to maximise (or make full screen) again a window it holds so, once its least
// size was lowered to fit a screen that went or shrank: xfwm4 fits the window to that screen only
// when asked again, and until then won't restore it.
void fillScreenAgain(const QWidget& window, bool fullScreen);

} // namespace zantiva
