#pragma once

#include "Stations/GPUStation.h"

namespace zantiva {

class LocNotifier;
class SpecsFeed;
class TestSuiteRunner;

// Shows the runner's GPU progress, preview, duration and load trace and the GPU's name from
// the specs on the page as they change.
void bindGPUStation(GPUStation& page, const TestSuiteRunner& runner, const SpecsFeed& specs, LocNotifier& loc);

} // namespace zantiva
