#include "Model/NotSavedNotice.h"

#include <algorithm>
#include <iterator>

namespace zantiva {

namespace {

// The message keys of a record's failed save: on a full disk, and for any other reason.
struct Keys {
    const char* diskFull;
    const char* other;
};

Keys keysOf(SavedRecord record) {
    switch (record) {
    case SavedRecord::report: return {"NotSaved.Report.DiskFull", "NotSaved.Report"};
    case SavedRecord::runKeptInSession: return {"NotSaved.Report.Kept.DiskFull", "NotSaved.Report.Kept"};
    case SavedRecord::session: return {"NotSaved.Session.DiskFull", "NotSaved.Session"};
    case SavedRecord::storageResult: return {"NotSaved.Storage.DiskFull", "NotSaved.Storage"};
    case SavedRecord::externalScores: return {"NotSaved.External.DiskFull", "NotSaved.External"};
    case SavedRecord::pendingLink: return {"NotSaved.Pending.DiskFull", "NotSaved.Pending"};
    case SavedRecord::installation: return {"NotSaved.Installation.DiskFull", "NotSaved.Installation"};
    case SavedRecord::settings: break;
    }
    return {"NotSaved.Settings.DiskFull", "NotSaved.Settings"};
}

} // namespace

LocalizedMessage notSavedNotice(SavedRecord record, const SaveResult& failure) {
    const Keys keys = keysOf(record);
    if (failure.problem == SaveResult::Problem::diskFull) return LocalizedMessage(keys.diskFull);
    return LocalizedMessage(keys.other, failure.file.string(), failure.reason);
}

LocalizedMessage runNotBegunNotice(const SessionSave& refused) {
    const SaveResult& failure = refused.result;
    if (refused.standing == StandingSession::unlooked)
        return LocalizedMessage("Suite.NotBegun.Unlooked", failure.file.string(), failure.reason);
    if (refused.standing == StandingSession::otherRun)
        return LocalizedMessage("Suite.NotBegun.Other", failure.file.string(), failure.reason);
    if (failure.problem == SaveResult::Problem::diskFull) return LocalizedMessage("Suite.NotBegun.Finished.DiskFull");
    return LocalizedMessage("Suite.NotBegun.Finished", failure.file.string(), failure.reason);
}

bool saysNotSaved(const LocalizedMessage& status, SavedRecord record) {
    const auto tellsOf = [&](SavedRecord told) {
        const Keys keys = keysOf(told);
        return status.key() == keys.diskFull || status.key() == keys.other;
    };
    // The outside benchmarks' scores, links and chosen programs share one file, whose save
    // writes again every change of it that couldn't be saved before.
    constexpr SavedRecord outside[] = {SavedRecord::externalScores, SavedRecord::pendingLink, SavedRecord::installation};
    if (std::ranges::find(outside, record) != std::end(outside)) return std::ranges::any_of(outside, tellsOf);
    return tellsOf(record);
}

bool saysRunNotBegun(const LocalizedMessage& status) { return status.key().starts_with("Suite.NotBegun."); }

bool saysRunKeptInSession(const LocalizedMessage& status) {
    return status.key() == "NotSaved.Report.Kept" || status.key() == "NotSaved.Report.Kept.DiskFull";
}

} // namespace zantiva
