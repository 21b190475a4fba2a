#pragma once

#include "Stations/AudioStation.h"

namespace zantiva {

class TestSuiteRunner;
class LocNotifier;

// Gives the page its own tone and track players and flags, which go with the page (stopping
// the players), and ends the module with the user's verdict.
void bindAudioStation(AudioStation& page, TestSuiteRunner& runner, LocNotifier& loc);

} // namespace zantiva
