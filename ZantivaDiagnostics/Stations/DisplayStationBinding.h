#pragma once

#include "Stations/DisplayStation.h"

namespace zantiva {

class TestSuiteRunner;
class LocNotifier;

// Starts the test on the page's screen and ends the module with its result, or as skipped
// when the user left it. The start button is off while the test shows; the page's end takes
// the test down without reporting anything.
void bindDisplayStation(DisplayStation& page, TestSuiteRunner& runner, LocNotifier& loc);

} // namespace zantiva
