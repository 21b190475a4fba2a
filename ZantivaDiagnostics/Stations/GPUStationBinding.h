#pragma once

#include "Stations/GPUStation.h"

namespace zantiva {

class LocNotifier;
class AppModel;

// Shows the runner's GPU progress, preview, duration and load trace and the model's GPU name
// on the page as they change.
void bindGPUStation(GPUStation& page, AppModel& model, LocNotifier& loc);

} // namespace zantiva
