#pragma once

#include <functional>

#include "Washer/ScreenWasherOptions.h"

class QScreen;

namespace zantiva {

class AppModel;
class LocNotifier;
class WasherSetupSheet;

// Starts a washer run over the screen.
using WasherStart = std::function<void(const ScreenWasherOptions& options, QScreen* screen)>;

// Shows the set-up card while the model asks for it, from the defaults each time it opens
// (the screen of the active window chosen); Start closes it and starts the run on the chosen
// screen, or on the primary one when that screen has gone; Cancel and the backdrop close it.
void bindWasherSetup(WasherSetupSheet& sheet, AppModel& model, LocNotifier& loc, WasherStart start);

} // namespace zantiva
