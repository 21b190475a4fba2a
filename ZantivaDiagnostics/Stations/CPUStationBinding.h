#pragma once

#include "Stations/CPUStation.h"

namespace zantiva {

class TestSuiteRunner;
class LocNotifier;

// Shows the runner's CPU progress and load trace on the page as they change.
void bindCPUStation(CPUStation& page, const TestSuiteRunner& runner, LocNotifier& loc);

} // namespace zantiva
