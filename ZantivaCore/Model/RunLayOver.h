#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Model/FinalBenchmarkReport.h"

namespace zantiva {

// A finished run laid over the stored report of its machine, the newer result of each test
// standing. A stored result carries no time of its own, only the report's (the last run laid
// over it), so a report older than the run takes the run's results (BenchmarkScoring::merge),
// and one saved at the run's time or after it (a later run's) keeps every result it holds and
// takes from the run only what it lacks: no result is replaced by one not known to be newer.
struct RunLayOver {
    FinalBenchmarkReport report;
    std::vector<std::string> laidOver; // the report's keys whose results the run's replaced or added
    std::vector<std::string> kept;     // the run's results left out for the report's newer ones
};

// `stored`: the report of the run's machine, when there is one.
RunLayOver layRunOver(const std::optional<FinalBenchmarkReport>& stored, const FinalBenchmarkReport& run);

} // namespace zantiva
