#include "Model/NotSavedNotice.h"


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

Banner bannerOf(SavedRecord record) {
    switch (record) {
    case SavedRecord::report:
    case SavedRecord::runKeptInSession: return Banner::report;
    case SavedRecord::session: return Banner::session;
    case SavedRecord::storageResult: return Banner::storageResult;
    case SavedRecord::settings: return Banner::settings;
    case SavedRecord::externalScores:
    case SavedRecord::pendingLink:
    case SavedRecord::installation: break;
    }
    return Banner::outside;
}

LocalizedMessage keptAsideNotice(const std::vector<std::filesystem::path>& files) {
    std::string paths;
    for (const auto& file : files) paths += (paths.empty() ? "" : ", ") + file.string();
    return LocalizedMessage("Report.KeptAside", paths);
}

bool saysRunNotBegun(const LocalizedMessage& status) { return status.key().starts_with("Suite.NotBegun."); }

} // namespace zantiva
