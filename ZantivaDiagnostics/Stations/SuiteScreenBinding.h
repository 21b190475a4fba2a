#pragma once

#include "Stations/SuiteScreen.h"

namespace zantiva {

class LocNotifier;
class AppModel;

// Shows the test-suite runner on the screen as it changes, gives it a new station card
// whenever the current module changes, and stops the run once the user confirmed.
void bindSuiteScreen(SuiteScreen& screen, AppModel& model, LocNotifier& loc);

} // namespace zantiva
