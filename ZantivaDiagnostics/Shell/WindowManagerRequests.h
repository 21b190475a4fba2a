#pragma once

#include <QByteArray>

class QWidget;

namespace zantiva {

// What the window asks of an X11 window manager itself, through the desktop's window-manager
// hints, where Qt 6.4 has no call for it. Off X11 (or without such a manager) Qt's own calls
// stand in, or nothing is asked.

// Brings a top-level window to the user for a launch, with one request of each kind: it is moved
// onto the workspace the user is on, unshaded and shown (unminimised), and the manager is asked
// once to activate `focused` (the window itself, or the modal dialog of the program open over it),
// which raises it too, with the time of the user's act that the launch's startup id carries; the
// launcher's busy feedback for that id ends. No other window is restacked. Raised and activated
// by Qt where that can't be asked.
void activateForLaunch(QWidget& window, QWidget& focused, const QByteArray& startupId);

// Asks the manager to maximise (or make full screen) again a window it holds so, once its least
// size was lowered to fit a screen that went or shrank: xfwm4 fits the window to that screen only
// when asked again, and until then won't restore it.
void fillScreenAgain(const QWidget& window, bool fullScreen);

} // namespace zantiva
