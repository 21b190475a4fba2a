#pragma once

#include "Presenters/ResultPresenter.h"

namespace zantiva {

class AppModel;
class LocNotifier;
class ResultScreen;

// What the results screen reads of the model and its runners now; the outside steps'
// labels in the Loc's language.
ResultScreenState resultScreenState(AppModel& model, const Loc& loc);

// Keeps the screen showing the last report, the last runs' failures, the last storage
// result and the outside benchmarks' scores in the current language, and turns its requests into screen changes: back to the
// dashboard, the storage screen.
void bindResultScreen(ResultScreen& screen, AppModel& model, LocNotifier& loc);

} // namespace zantiva
