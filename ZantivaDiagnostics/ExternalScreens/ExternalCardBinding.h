#pragma once

#include "ExternalScreens/ExternalAppChooser.h"
#include "Presenters/ExternalCardPresenter.h"

namespace zantiva {

class ExternalBenchmarkRunner;
class ExternalBenchmarksCard;
class LocNotifier;

// What the dashboard card reads of the outside-benchmark runner now.
ExternalCardState externalCardState(const ExternalBenchmarkRunner& runner);

// Keeps the card showing the runner in the current language and hands its requests to the
// runner; Choose App asks chooseApp for the file and does nothing when it gives none.
void bindExternalCard(ExternalBenchmarksCard& card, ExternalBenchmarkRunner& runner, LocNotifier& loc,
                      ExternalAppChooser chooseApp);

} // namespace zantiva
