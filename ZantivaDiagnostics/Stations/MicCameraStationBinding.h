#pragma once

#include "Stations/MicCameraStation.h"

namespace zantiva {

class TestSuiteRunner;
class LocNotifier;
class MicCameraCheck;

// Gives the page its check: it begins when the page appears and stops its devices when the
// page goes away; the camera's frames reach the preview, the verdict ends the module.
// Returns the check, which the page owns.
MicCameraCheck& bindMicCameraStation(MicCameraStation& page, TestSuiteRunner& runner, LocNotifier& loc);
// The same over the given devices and report, for what this machine cannot show.
MicCameraCheck& bindMicCameraCheck(MicCameraStation& page, MicCameraCheck& check, LocNotifier& loc);

} // namespace zantiva
