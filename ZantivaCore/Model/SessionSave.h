#pragma once

#include <filesystem>
#include <vector>

#include "Model/SaveResult.h"

namespace zantiva {

// What a session's save found in the session file's place and couldn't make safe elsewhere:
// that file stays as it is, and the session isn't saved.
enum class StandingSession {
    none,
    finishedRun, // this machine's finished run, whose results couldn't be laid over the report
    otherRun,    // any other session (another machine's, one whose machine can't be told, one
                 // holding a later version's result, or a file that can't be decoded) that
                 // couldn't be kept aside
    unlooked,    // a file the save couldn't look at (its lock not had): what it holds isn't known
};

// A save of the report that laid runs over it: how it went, and where the runs' results that
// the report didn't take (RunLayOver) were kept beside it.
struct ReportSave {
    SaveResult result;
    std::vector<std::filesystem::path> keptAside;

    bool saved() const { return result.saved(); }
};

struct SessionSave {
    SaveResult result;
    bool reportChanged = false; // a finished run found there was laid over the report, saved anew
    std::vector<std::filesystem::path> keptAside; // where that run's results the report didn't take went
    StandingSession standing = StandingSession::none;

    bool saved() const { return result.saved(); }
};

} // namespace zantiva
