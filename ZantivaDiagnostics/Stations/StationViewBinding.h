#pragma once

#include "Stations/StationView.h"

namespace zantiva {

class LocNotifier;
class AppModel;

// Gives the card the module's heading and a new page of that module bound to the model, so a
// card made for each module starts with nothing of the one before.
void bindStationView(StationView& view, TestModule module, AppModel& model, LocNotifier& loc);

} // namespace zantiva
