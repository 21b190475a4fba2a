#pragma once

// Keeps the results that outlive the app, each as one JSON file in one folder:
// "last-report.json" (the merged report), "benchmark-session.json" (the resumable run)
// and "last-ssd-result.json" (the last storage benchmark). Nothing here throws. A file
// that can't be read or decoded counts as missing, and is kept aside as "<name>.bad"
// before a new one is saved over it; a save answers whether it worked, and a failed one
// leaves the old file whole and is logged ("store"). Every save holds the file's lock
// (jsonfile::whileLocked), which a rewrite by another process takes too. Holds no state
// besides the folder, so one store may be shared.

#include <filesystem>
#include <optional>

#include "Model/BenchmarkSession.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/JsonFile.h"
#include "Model/SaveResult.h"
#include "Model/StorageBenchmarkResult.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

class ResultStore {
public:
    // `directory` need not exist; absent (no home folder) means nothing is stored.
    explicit ResultStore(std::optional<std::filesystem::path> directory);

    const std::optional<std::filesystem::path>& directory() const { return directory_; }

    SaveResult saveReport(const FinalBenchmarkReport& report) const;
    // A stored CPU result of another scoring version is dropped (before decoding, so that
    // it can't spoil the rest), the overall score recomputed and the file rewritten, unless
    // a newer report was saved meanwhile; `rewritten`, when given, says whether that rewrite
    // was saved (untouched when none was needed). Not saved, the next load does it again.
    std::optional<FinalBenchmarkReport> loadReport(SaveResult* rewritten = nullptr) const;

    SaveResult saveSession(const BenchmarkSession& session) const;
    // The stored session when steps remain and it was made on this machine. A finished
    // session or one of another machine is deleted; an undecodable one, or one that
    // can't be matched because this machine's model or CPU name is unknown, is kept.
    std::optional<BenchmarkSession> loadResumableSession(const SystemSpecs& specs) const;
    // Whether the session file is gone (a missing one is); a failure is logged.
    SaveResult clearSession() const;

    SaveResult saveStorageResult(const StorageBenchmarkResult& result) const;
    std::optional<StorageBenchmarkResult> loadStorageResult() const;

private:
    std::optional<std::filesystem::path> fileURL(const char* name) const;
    SaveResult save(const char* name, const json::Json& value, const jsonfile::DecodeProblem& undecodable) const;
    SaveResult rewriteReport() const;

    std::optional<std::filesystem::path> directory_;
};

} // namespace zantiva
