#pragma once

#include "Model/AppScreen.h"
#include "Presenters/ExternalRunPresenter.h"

namespace zantiva {

class ExternalBenchmarkRunner;
class ExternalRunScreen;
class LiveTelemetryFeed;
class LocNotifier;

// What the run screen reads of the outside-benchmark runner (the time on its clock included)
// and the live telemetry; the steps' labels in the Loc's language.
ExternalRunState externalRunState(const ExternalBenchmarkRunner& runner, const LiveTelemetryFeed& telemetry,
                                  const Loc& loc);

// Keeps the screen showing the run as it goes, in the current language (the elapsed time of
// a step every second), and hands its requests on: Stop and Skip to the runner, Open CSV to
// it, back to the dashboard through goTo.
void bindExternalRunScreen(ExternalRunScreen& screen, ExternalBenchmarkRunner& runner, const LiveTelemetryFeed& telemetry,
                           LocNotifier& loc, ScreenSwitch goTo);

} // namespace zantiva
