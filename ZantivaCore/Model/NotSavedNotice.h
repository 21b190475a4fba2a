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
// the file (`refused.standing` is not none), and what was kept of it.
LocalizedMessage runNotBegunNotice(const SessionSave& refused);

} // namespace zantiva
