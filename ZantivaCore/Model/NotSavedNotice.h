#pragma once

#include <filesystem>
#include <vector>

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

// The status line's standing lines: one for each stored file whose failed save is told (the
// outside benchmarks' scores, links and chosen programs share one file), and one saying where
// results the report didn't take were kept beside it. Each stands while what it says is so, in
// whichever language is chosen, and none takes another's place.
enum class Banner { report, keptAside, session, storageResult, settings, outside };

// The line that tells of the record's saves.
Banner bannerOf(SavedRecord record);

// Where results that the report didn't take (RunLayOver) were kept, each file its path.
LocalizedMessage keptAsideNotice(const std::vector<std::filesystem::path>& files);

// Whether the status line's message is one that a change on disk makes untrue: a run that
// didn't begin, once one has.
bool saysRunNotBegun(const LocalizedMessage& status);

} // namespace zantiva
