#pragma once

#include <functional>
#include <optional>

#include "Localization/LocalizedMessage.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/NotSavedNotice.h"
#include "Model/StorageBenchmarkResult.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

// What the CSV file carries beside the outside scores; each absent when unknown.
struct ExternalCsvSources {
    std::optional<FinalBenchmarkReport> report; // only a report with results
    std::optional<StorageBenchmarkResult> storage;
    std::optional<SystemSpecs> specs;
};

// What the outside-benchmark runner uses of whoever drives it: the app model in the
// window, the command line without one. The runner holds it weakly and, once it is gone,
// starts nothing and tells nobody. Main thread only.
class ExternalRunnerHost {
public:
    virtual ~ExternalRunnerHost() = default;

    // The status line under the header.
    virtual void setStatus(std::optional<LocalizedMessage> status) = 0;
    // How a save of the outside benchmarks' file went (RunnerHost::tellSave).
    virtual void tellSave(SavedRecord record, const SaveResult& result) = 0;
    virtual ExternalCsvSources csvSources() const = 0;
    // Starts the app's own performance suite after a full outside run; afterRun is called
    // once that suite run has ended (and dropped when it refuses to start).
    virtual void startPerformanceSuite(std::function<void()> afterRun) = 0;
};

} // namespace zantiva
