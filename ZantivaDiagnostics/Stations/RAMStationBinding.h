#pragma once

#include "Stations/RAMStation.h"

namespace zantiva {

class TestSuiteRunner;
class LocNotifier;

// Shows the runner's memory progress on the page as it changes.
void bindRAMStation(RAMStation& page, const TestSuiteRunner& runner, LocNotifier& loc);

} // namespace zantiva
