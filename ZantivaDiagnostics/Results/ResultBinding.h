#pragma once

#include "Presenters/ResultPresenter.h"

namespace zantiva {

class AppModel;
class LocNotifier;
class ResultScreen;

// What the results screen reads of the model and its runners now.
ResultScreenState resultScreenState(AppModel& model);

// Keeps the screen showing the last report, the last run's failures and the last storage
// result in the current language, and turns its requests into screen changes: back to the
// dashboard, the storage screen.
void bindResultScreen(ResultScreen& screen, AppModel& model, LocNotifier& loc);

} // namespace zantiva
