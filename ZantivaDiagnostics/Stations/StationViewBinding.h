#pragma once

#include "Stations/StationView.h"

namespace zantiva {

class LocNotifier;
class SpecsFeed;
class TestSuiteRunner;

// Gives the card the module's heading and a new page of that module bound to the runner (and
// the GPU page to the specs), so a card made for each module starts with nothing of the one before.
void bindStationView(StationView& view, TestModule module, TestSuiteRunner& runner, const SpecsFeed& specs,
                     LocNotifier& loc);

} // namespace zantiva
