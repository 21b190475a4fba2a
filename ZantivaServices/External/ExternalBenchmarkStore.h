#pragma once

// The settings and last scores of each outside application, kept in
// "external-benchmarks.json" in the app folder. The file is read once when the store is
// made (missing or unreadable: nothing stored; an application whose record doesn't
// decode starts empty) and rewritten whole and atomically on every change, a file that
// doesn't decode whole being kept aside first as "external-benchmarks.json.bad". Every
// operation takes the store's own lock, so one store may be shared between threads.

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

#include "External/ExternalBenchmarkAppSettings.h"
#include "Model/SaveResult.h"

namespace zantiva {

class ExternalBenchmarkStore {
public:
    static constexpr const char* fileName = "external-benchmarks.json";

    // `directory` need not exist; absent (no home folder) keeps everything in memory only.
    explicit ExternalBenchmarkStore(std::optional<std::filesystem::path> directory);

    // An empty record when nothing is stored for the application.
    ExternalBenchmarkAppSettings settings(ExternalBenchmarkApp app) const;
    // Sets the installation, or clears it when given nothing.
    void setInstallation(const std::optional<ExternalBenchmarkInstallation>& installation, ExternalBenchmarkApp app);
    // Whether the file was written, and why not (without a folder it never is); a result that
    // could not be written is still kept in memory.
    SaveResult setResult(const ExternalBenchmarkResult& result, ExternalBenchmarkApp app);
    void addPending(const PendingGeekbenchResult& pending, ExternalBenchmarkApp app);
    // Merges `result` into the stored last result (each score present in it replaces the
    // stored one), removes the pending entry with the same URL and returns the merge.
    ExternalBenchmarkResult applyRecovered(const ExternalBenchmarkResult& result, const PendingGeekbenchResult& pending,
                                           ExternalBenchmarkApp app);

    // Where the records are kept; absent without a folder.
    const std::optional<std::filesystem::path>& file() const { return file_; }

private:
    void load();
    SaveResult save() const; // with the lock held

    std::optional<std::filesystem::path> file_;
    mutable std::mutex mutex_;
    std::map<ExternalBenchmarkApp, ExternalBenchmarkAppSettings> apps_;
};

} // namespace zantiva
