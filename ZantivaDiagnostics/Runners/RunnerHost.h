#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include <QCoro/QCoroTask>

#include "Localization/LocalizedMessage.h"
#include "Model/BenchmarkSession.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/NotSavedNotice.h"
#include "Model/RunLayOver.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

// How a finished suite run's results came to be, beside the report handed over.
struct RunHandOver {
    // The session file holds them, so a report that couldn't be saved loses nothing (the next
    // start lays the session over it).
    bool keptInSession = false;
    // No step remains: the run is resumed no more, so that its session wasn't saved is moot.
    bool finished = false;
    // When the run began (or was resumed): what it measured, it measured since. Absent: at the
    // hand-over.
    std::optional<Date> startedAt;
    // A resumed run's results of before its interruption (completed then), measured since the
    // start of the run it resumed: they replace only results of the report known to be older.
    std::optional<MeasuredRun> carried;
};

// What the runners use of the app model. The model keeps the owning pointer to its
// implementation and gives the runners a weak one, so a runner never keeps the model alive
// and does nothing through it once it is gone. Main thread only.
class RunnerHost {
public:
    virtual ~RunnerHost() = default;

    // The machine's specs; absent until start-up has read them.
    virtual std::optional<SystemSpecs> specs() const = 0;
    // The interrupted run that the dashboard offers to resume, once a run has ended.
    virtual void setResumable(std::optional<BenchmarkSession> session) = 0;
    // A save of the run's session laid a finished run found in the session file over the
    // stored report: the report shown is read again, and the results the report didn't take
    // were kept in `keptAside`.
    virtual void storedReportChanged(const std::vector<std::filesystem::path>& keptAside) = 0;
    // The status line under the header.
    virtual void setStatus(std::optional<LocalizedMessage> status) = 0;
    // How a save of the record went: one that failed is told on the status line as measured but
    // not saved; one that worked takes back what the line says of an earlier failed save of it.
    virtual void tellSave(SavedRecord record, const SaveResult& result) = 0;
    // The hand-over of a finished (or stopped) suite run; the runner awaits it. Answers
    // whether the run's results are in the stored report (or there were none to keep): only
    // then may its session go.
    virtual QCoro::Task<bool> completeRun(FinalBenchmarkReport report, bool hadCompletedStations,
                                          RunHandOver how) = 0;
};

} // namespace zantiva
