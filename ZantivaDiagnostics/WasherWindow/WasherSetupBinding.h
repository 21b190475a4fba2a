#pragma once

#include <functional>

#include "Washer/ScreenWasherOptions.h"

class QScreen;

namespace zantiva {

class LocNotifier;
class WasherSetupPrompt;
class WasherSetupSheet;

// Starts a washer run over the screen.
using WasherStart = std::function<void(const ScreenWasherOptions& options, QScreen* screen)>;

// Shows the set-up card while the prompt asks for it, from the defaults each time it opens
// (the screen of the active window chosen); Start closes it and starts the run on the chosen
// screen, or on the primary one when that screen has gone; Cancel and the backdrop close it.
void bindWasherSetup(WasherSetupSheet& sheet, WasherSetupPrompt& prompt, LocNotifier& loc, WasherStart start);

} // namespace zantiva
