#pragma once

#include "Stations/BatteryStation.h"

namespace zantiva {

class TestSuiteRunner;
class LocNotifier;

// Shows the runner's battery reading on the page as it changes.
void bindBatteryStation(BatteryStation& page, const TestSuiteRunner& runner, LocNotifier& loc);

} // namespace zantiva
