#pragma once

#include "Localization/LocalizedMessage.h"
#include "Model/SaveResult.h"
#include "Model/SessionSave.h"

namespace zantiva {

// The stored records whose failed save the window tells of.
// `runKeptInSession`: a run's report whose results stay in the run's session file, to be
// laid over the report at the next start.
enum class SavedRecord {
    report,
    runKeptInSession,
    session,
    storageResult,
    settings,
    externalScores,
    pendingLink,
    installation
};

// That the record was measured (or the setting taken) but not saved, and why: a full disk
// in words of its own, anything else with the file and the system's reason. For a failed
// save only.
LocalizedMessage notSavedNotice(SavedRecord record, const SaveResult& failure);

// Why a run didn't begin: its session's first save found another run's session standing in
// the file, or a file it couldn't look at (`refused.standing` is not none), and what was kept of it.
LocalizedMessage runNotBegunNotice(const SessionSave& refused);

// Whether the status line's message tells of a failed save of the record, or of another kept in
// the same file (notSavedNotice), which a later save of that file that worked makes untrue.
bool saysNotSaved(const LocalizedMessage& status, SavedRecord record);

// Whether the status line's message is one of the above that a change on disk makes untrue:
// a run that didn't begin, once one has; a run's results kept in its session file
// (`runKeptInSession`), once they are laid over the report.
bool saysRunNotBegun(const LocalizedMessage& status);
bool saysRunKeptInSession(const LocalizedMessage& status);

} // namespace zantiva
