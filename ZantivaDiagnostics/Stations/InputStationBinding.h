#pragma once

#include "Stations/InputStation.h"

namespace zantiva {

class TestSuiteRunner;
class LocNotifier;

// Gives the page a check of its own (dropped with the page, its filter with it) and reports the
// check's outcome to the suite runner from the verdict.
void bindInputStation(InputStation& page, TestSuiteRunner& runner, LocNotifier& loc);

} // namespace zantiva
