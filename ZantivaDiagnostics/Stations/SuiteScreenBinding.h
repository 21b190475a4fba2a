#pragma once

#include "Stations/SuiteScreen.h"

namespace zantiva {

class LocNotifier;
class SpecsFeed;
class TestSuiteRunner;

// Shows the test-suite runner on the screen as it changes, gives it a new station card
// whenever the current module changes, and stops the run once the user confirmed.
void bindSuiteScreen(SuiteScreen& screen, TestSuiteRunner& runner, const SpecsFeed& specs, LocNotifier& loc);

} // namespace zantiva
