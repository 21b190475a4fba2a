#pragma once

// The settings and last scores of each outside application, kept in
// "external-benchmarks.json" in the app folder, which other processes (the command line
// beside the window) write too. Every read and every change reads the file again (missing:
// nothing stored; an application whose record doesn't decode is empty, logged once per
// change of the file; unreadable: the last copy read stands). A change is made under the file's lock (jsonfile::whileLocked):
// the file is read again, the change applied and the file rewritten whole and atomically
// (only what changed in the changed records replaced: records, and keys at any level, that this
// version doesn't know stay as read, and so does what the change left as it was),
// a file that isn't an object, or whose record the change replaces doesn't decode, being
// kept aside first as "external-benchmarks.json.bad" (a broken record written back isn't);
// so no change drops what another process stored. A change that couldn't be saved is kept
// in memory and applied again at each read and each later save until one succeeds; scores
// are laid over what is stored then, and dropped when the stored result was recorded after
// them (another process stored newer ones). Every operation takes the store's own lock, so
// one store may be shared between threads.

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "External/ExternalBenchmarkAppSettings.h"
#include "Model/SaveResult.h"

namespace zantiva {

class ExternalBenchmarkStore {
public:
    static constexpr const char* fileName = "external-benchmarks.json";

    // A save of scores, and the applications whose scores an earlier save reported as not
    // saved and this one wrote after all (a later save of another kind only logs them).
    struct ResultSave : SaveResult {
        std::vector<ExternalBenchmarkApp> savedLate;
    };

    // `directory` need not exist; absent (no home folder) keeps everything in memory only.
    explicit ExternalBenchmarkStore(std::optional<std::filesystem::path> directory);

    // An empty record when nothing is stored for the application.
    ExternalBenchmarkAppSettings settings(ExternalBenchmarkApp app) const;
    // Each change answers whether the file was written, and why not (without a folder it
    // never is); a change that could not be written is still kept in memory.
    // Sets the installation, or clears it when given nothing.
    SaveResult setInstallation(const std::optional<ExternalBenchmarkInstallation>& installation,
                               ExternalBenchmarkApp app);
    // Lays the scores present in `result` over the stored last result (the others stay) and
    // records it at result.recordedAt.
    ResultSave setResult(const ExternalBenchmarkResult& result, ExternalBenchmarkApp app);
    SaveResult addPending(const PendingGeekbenchResult& pending, ExternalBenchmarkApp app);
    // Merges `result` into the stored last result (each score present in it replaces the
    // stored one), removes the pending entry with the same URL and returns the merge. Not
    // saved, the entry stays pending in the file and is read again at the next start.
    ExternalBenchmarkResult applyRecovered(const ExternalBenchmarkResult& result, const PendingGeekbenchResult& pending,
                                           ExternalBenchmarkApp app);

    // Where the records are kept; absent without a folder.
    const std::optional<std::filesystem::path>& file() const { return file_; }

private:
    using Apps = std::map<ExternalBenchmarkApp, ExternalBenchmarkAppSettings>;
    // Applies a change to the records; `replayed`: it is applied again after a failed save.
    // Answers false when it was dropped (scores older than the stored ones).
    using Change = std::function<bool(Apps&, bool replayed)>;
    struct Unsaved {
        Change change;
        ExternalBenchmarkApp app;
        bool toldNotSaved = false; // scores whose failed save the caller reported (setResult)
    };

    // With the store's lock held:
    void readStored() const;
    Apps current() const; // what is stored with the unsaved changes applied
    ResultSave update(Unsaved change);

    std::optional<std::filesystem::path> file_;
    mutable std::mutex mutex_;
    mutable Apps stored_;         // as last read from the file, or saved to it
    mutable json::Json read_ = json::Json::object(); // the file's JSON behind stored_, known or not
    std::vector<Unsaved> unsaved_; // in the order they were made
};

} // namespace zantiva
