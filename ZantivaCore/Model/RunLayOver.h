#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Model/Date.h"
#include "Model/FinalBenchmarkReport.h"

namespace zantiva {

// A run's results and the earliest time any of them may have been measured: the run's start,
// or, for the results a resumed run carries from before its interruption, the start of the
// run they were measured in.
struct MeasuredRun {
    FinalBenchmarkReport results;
    Date since{};
    // Measured by this window just now, the user looking on: it stands over a report not known
    // to be older, whose results it replaces are kept aside instead (a clock set ahead must not
    // keep a new result out of the report until the clock catches up).
    bool justMeasured = false;
};

// A run laid over the stored report of its machine. A stored result carries no time of its own,
// only the report's (the last run laid over it), and clocks are set wrong and then right, so the
// report is known to be older than the run only when it was saved before the run began: then the
// run's results replace the report's (BenchmarkScoring::merge). Otherwise (saved in the run's
// time or after it: by another window, another machine on a shared home, a clock set ahead) the
// report keeps every result it holds and takes from the run only the tests it lacks, and the
// run's results it didn't take are `aside`, to be kept beside the report: no result is replaced
// by one not known to be newer, and none is dropped. A run just measured stands over such a
// report instead, and the report's results it replaced are `aside`.
struct RunLayOver {
    FinalBenchmarkReport report;
    std::vector<std::string> laidOver; // the report's keys whose results the run's replaced or added
    std::vector<std::string> kept;     // the run's results left out for the report's own
    std::vector<std::string> replaced; // the report's results, not known to be older, that the run's replaced
    // The run, or the report, (its specs and time) with only the results left out; absent when none was.
    std::optional<FinalBenchmarkReport> aside;
};

// `stored`: the report of the run's machine, when there is one. The report laid over is
// completed at the later of the two times once the run added anything (at the run's, when
// the run stands over it).
RunLayOver layRunOver(const std::optional<FinalBenchmarkReport>& stored, const MeasuredRun& run);

// The results of `now` that `before` doesn't hold as they are: what a resumed run measured
// after it took up `before`, with the rest of `now` (specs, time, verdict companions).
FinalBenchmarkReport resultsAddedSince(const FinalBenchmarkReport& now, const FinalBenchmarkReport& before);

} // namespace zantiva
