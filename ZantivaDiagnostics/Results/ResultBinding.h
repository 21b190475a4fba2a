#pragma once

#include "Model/AppScreen.h"
#include "Presenters/ResultPresenter.h"

namespace zantiva {

class ExternalBenchmarkRunner;
class LocNotifier;
class ReportFeed;
class ResultScreen;
class StorageRunner;
class TestSuiteRunner;

// What the results screen reads: the last report and the runners' last outcomes.
struct ResultSources {
    const ReportFeed& report;
    const TestSuiteRunner& suite;
    const StorageRunner& storage;
    const ExternalBenchmarkRunner& external;
};

// What the results screen reads of its sources now; the outside steps' labels in the Loc's
// language.
ResultScreenState resultScreenState(const ResultSources& sources, const Loc& loc);

// Keeps the screen showing the last report, the last runs' failures, the last storage
// result and the outside benchmarks' scores in the current language, and turns its requests into screen changes
// through goTo: back to the dashboard, the storage screen.
void bindResultScreen(ResultScreen& screen, ResultSources sources, LocNotifier& loc,
                      ScreenSwitch goTo);

} // namespace zantiva
