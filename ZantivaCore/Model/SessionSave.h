#pragma once

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

struct SessionSave {
    SaveResult result;
    bool reportChanged = false; // a finished run found there was laid over the report, saved anew
    StandingSession standing = StandingSession::none;

    bool saved() const { return result.saved(); }
};

} // namespace zantiva
