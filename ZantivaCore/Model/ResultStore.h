#pragma once

// Keeps the results that outlive the app, each as one JSON file in one folder:
// "last-report.json" (the merged report), "benchmark-session.json" (the resumable run)
// and "last-ssd-result.json" (the last storage benchmark). Nothing here throws. A file
// that can't be read or decoded counts as missing, and is kept aside as "<name>.bad"
// before a new one is saved over it; so is a report or session holding a CPU result of a
// later scoring version, which this version reads without it. A save answers whether it
// worked, and a failed one leaves the old file whole and is logged ("store"). Every save
// holds the file's lock (jsonfile::whileLocked), which a rewrite by another process takes
// too; a report's save reads the file again under it and writes back the keys this
// version doesn't know, and keeps a report it would replace rather than extend aside. Holds no state besides the folder, so one store may be shared.

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>
#include <string>

#include "Model/BenchmarkSession.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/JsonFile.h"
#include "Model/RunLayOver.h"
#include "Model/SaveResult.h"
#include "Model/SessionSave.h"
#include "Model/StorageBenchmarkResult.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

class ResultStore {
public:
    // `directory` need not exist; absent (no home folder) means nothing is stored.
    explicit ResultStore(std::optional<std::filesystem::path> directory);

    const std::optional<std::filesystem::path>& directory() const { return directory_; }

    // Replaces the stored report by this one (a stored one of another machine is kept aside).
    SaveResult saveReport(const FinalBenchmarkReport& report) const;
    // Lays runs over the stored report in turn (layRunOver: a result replaces the report's only
    // when the report is known to be older, and one the report doesn't take is kept beside it
    // as "last-report.kept-<run's time>.json") and saves the result; a report of another
    // machine lends nothing and is kept aside. The file is read under its lock, so what another
    // process stored there meanwhile is kept; a file that can't be read lends nothing. `shown`
    // is the report in memory: it stands for the stored one when the file can't be reached (no
    // folder, the lock not had), and becomes the runs laid over, saved or not. Where results
    // couldn't be kept beside the report, it isn't saved either.
    ReportSave saveRun(std::span<const MeasuredRun> runs, FinalBenchmarkReport& shown) const;
    // A stored CPU result of another scoring version is left out (before decoding, so that
    // it can't spoil the rest) and the overall score recomputed. One of an older version is
    // dropped from the file too, which is rewritten, unless a newer report was saved
    // meanwhile; `rewritten`, when given, says whether that rewrite was saved (untouched
    // when none was needed). Not saved, the next load does it again. A file holding one of
    // a later version is left as it is.
    std::optional<FinalBenchmarkReport> loadReport(SaveResult* rewritten = nullptr) const;

    // Saves the session of a run on the machine of `specs`. The file is replaced only when it
    // holds this session or nothing: another session found there is first laid over the report
    // (this machine's, finished; its later version's CPU result then kept aside with the file)
    // or kept aside (another machine's, one whose machine can't be told, one holding a later
    // version's result); this machine's interrupted run gives way to the new one. Where that
    // can't be done the file stays and the save fails, saying what stands there; so does a file
    // the save couldn't look at, its lock not had. Done under the session file's lock, which
    // another process's save takes too.
    SessionSave saveSession(const BenchmarkSession& session, const SystemSpecs& specs) const;
    // The stored session when steps remain and it was made on this machine. A finished
    // session's results are laid over the report (as saveRun does, unless the report holds
    // them already) before it is deleted; `reportChanged`, when given,
    // says whether the report was saved anew, and `keptAside` where the results that the report
    // didn't take were kept. Not saved, the session stays for the next
    // start; one holding a CPU result of a later scoring version is kept aside once the rest
    // is laid over. A session of another machine is kept aside as a damaged file is; an
    // undecodable one, or one that can't be matched because this machine's model or CPU
    // name is unknown, is kept. A CPU result of another scoring version is left out of the
    // session returned, and its step is among those still to run. A finished session's results
    // replace only results known to be older (layRunOver).
    std::optional<BenchmarkSession> loadResumableSession(const SystemSpecs& specs, bool* reportChanged = nullptr,
                                                         std::vector<std::filesystem::path>* keptAside = nullptr) const;
    // Whether the session file is gone (a missing one is); a failure is logged. Given a
    // session id, a file holding another session (one begun since) stays. Done under the
    // lock of a session's save.
    SaveResult clearSession(const std::optional<std::string>& onlySessionID = std::nullopt) const;

    SaveResult saveStorageResult(const StorageBenchmarkResult& result) const;
    std::optional<StorageBenchmarkResult> loadStorageResult() const;

private:
    std::optional<std::filesystem::path> fileURL(const char* name) const;
    SaveResult save(const char* name, const json::Json& value, const jsonfile::DecodeProblem& undecodable) const;
    // Runs `action` on the session file under the lock of a session's save, while the file
    // holds the session `onlySessionID` (any, when absent); nothing when there is no file.
    SaveResult whileSessionStored(const std::optional<std::string>& onlySessionID,
                                  const std::function<SaveResult(const std::filesystem::path&)>& action) const;

    std::optional<std::filesystem::path> directory_;
};

} // namespace zantiva
