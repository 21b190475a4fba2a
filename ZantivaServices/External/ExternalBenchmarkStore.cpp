#include "External/ExternalBenchmarkStore.h"

#include <algorithm>

#include "Model/JsonFile.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

constexpr std::string_view logCategory = "external";

// The stored record of each application the file has; a record that doesn't decode is
// handed to `broken` with its application and the reason.
template <typename Broken>
std::map<ExternalBenchmarkApp, ExternalBenchmarkAppSettings> decodeRecords(const json::Json& stored, Broken broken) {
    std::map<ExternalBenchmarkApp, ExternalBenchmarkAppSettings> apps;
    for (ExternalBenchmarkApp app : allCases<ExternalBenchmarkApp>()) {
        auto it = stored.find(std::string(rawValue(app)));
        if (it == stored.end()) continue;
        try {
            apps[app] = ExternalBenchmarkAppSettings::fromJson(*it);
        } catch (const json::DecodeError& error) {
            broken(app, error.what());
        }
    }
    return apps;
}

using Apps = std::map<ExternalBenchmarkApp, ExternalBenchmarkAppSettings>;

// The applications whose records a save replaces.
std::vector<ExternalBenchmarkApp> changedApps(const Apps& before, const Apps& after) {
    std::vector<ExternalBenchmarkApp> changed;
    for (const auto& [app, settings] : after) {
        const auto was = before.find(app);
        if (was == before.end() || was->second != settings) changed.push_back(app);
    }
    return changed;
}

// A file that isn't an object, or whose record that the save replaces doesn't decode, is
// kept aside: saving over it would lose that record. A broken record the save doesn't change
// is written back, so keeping it aside again at each save would only pile up copies.
jsonfile::DecodeProblem undecodableAmong(std::vector<ExternalBenchmarkApp> changed) {
    return [changed = std::move(changed)](const std::string& text) -> std::optional<std::string> {
        const auto stored = jsonfile::parse(text);
        if (!stored || !stored->is_object()) return "not a JSON object";
        std::optional<std::string> problem;
        decodeRecords(*stored, [&](ExternalBenchmarkApp app, const std::string& reason) {
            if (std::ranges::find(changed, app) != changed.end()) problem = std::string(rawValue(app)) + ": " + reason;
        });
        return problem;
    };
}

// The file as read with the records that changed written over it. What this version doesn't
// know (the records of other applications, a record it can't decode and doesn't change, the
// keys of a changed record at every level) and what the change left as it was are written back
// as they were read. A changed record that didn't decode (the file was kept aside first) is taken
// as holding none of this version's keys: each is written anew, and only the others stay.
json::Json withChanges(const json::Json& read, const Apps& before, const Apps& after,
                       const std::vector<ExternalBenchmarkApp>& changed) {
    json::Json unreadable = json::Json::object();
    for (const std::string_view key : ExternalBenchmarkAppSettings::keys()) unreadable[std::string(key)] = nullptr;
    json::Json out = read;
    for (const ExternalBenchmarkApp app : changed) {
        json::Json& record = out[std::string(rawValue(app))];
        const auto was = before.find(app);
        record = jsonfile::withChangesAtEveryLevel(std::move(record), was != before.end() ? was->second.toJson() : unreadable,
                                                   after.at(app).toJson());
    }
    return out;
}

// Lays the scores present in `measured` over the stored result, recorded at its time. Applied
// again after a failed save, it is dropped when the stored result was recorded after it (in
// the whole seconds the file keeps): another process stored newer scores meanwhile. Answers
// whether it was laid over.
bool layScores(std::optional<ExternalBenchmarkResult>& stored, const ExternalBenchmarkResult& measured, bool replayed) {
    using std::chrono::floor, std::chrono::seconds;
    if (replayed && stored && floor<seconds>(stored->recordedAt) > floor<seconds>(measured.recordedAt)) return false;
    ExternalBenchmarkResult result = stored.value_or(measured);
    if (measured.singleCoreScore) result.singleCoreScore = measured.singleCoreScore;
    if (measured.multiCoreScore) result.multiCoreScore = measured.multiCoreScore;
    if (measured.gpuScore) result.gpuScore = measured.gpuScore;
    result.recordedAt = measured.recordedAt;
    stored = result;
    return true;
}

} // namespace

ExternalBenchmarkStore::ExternalBenchmarkStore(std::optional<std::filesystem::path> directory) {
    if (directory) file_ = *directory / fileName;
    std::lock_guard lock(mutex_);
    readStored();
}

void ExternalBenchmarkStore::readStored() const {
    if (!file_) return;
    std::error_code ec;
    if (std::filesystem::symlink_status(*file_, ec).type() == std::filesystem::file_type::not_found) {
        stored_.clear(); // removed since: nothing is stored any more
        read_ = json::Json::object();
        return;
    }
    // A file that can't be read whole leaves the last copy read; the next save keeps it aside.
    std::optional<json::Json> stored = jsonfile::load(*file_);
    if (!stored || !stored->is_object()) return;
    // Unchanged since the last read, it decodes as it did then: a broken record is logged once.
    if (*stored == read_) return;
    stored_ = decodeRecords(*stored, [](ExternalBenchmarkApp app, const std::string& reason) {
        log::error(logCategory, "ignoring the stored record of " + std::string(rawValue(app)) + ": " + reason);
    });
    read_ = std::move(*stored);
}

ExternalBenchmarkStore::Apps ExternalBenchmarkStore::current() const {
    Apps apps = stored_;
    for (const Unsaved& unsaved : unsaved_) unsaved.change(apps, true);
    return apps;
}

ExternalBenchmarkStore::ResultSave ExternalBenchmarkStore::update(Unsaved change) {
    unsaved_.push_back(std::move(change));
    if (!file_) return {jsonfile::saveWithoutFolder(fileName, logCategory)};
    ResultSave result;
    static_cast<SaveResult&>(result) = jsonfile::whileLocked(*file_, logCategory, [&] {
        readStored();
        // Every change but the last was made by a save that failed.
        Apps apps = stored_;
        std::vector<bool> taken;
        for (std::size_t i = 0; i < unsaved_.size(); ++i)
            taken.push_back(unsaved_[i].change(apps, i + 1 < unsaved_.size()));
        const auto changed = changedApps(stored_, apps);
        const json::Json out = withChanges(read_, stored_, apps, changed);
        const SaveResult saved = jsonfile::saveKeepingUndecodable(*file_, out, logCategory, undecodableAmong(changed));
        if (!saved.saved()) return saved;
        // Those were reported as not saved: what became of them is told.
        for (std::size_t i = 0; i + 1 < unsaved_.size(); ++i) {
            const Unsaved& late = unsaved_[i];
            const std::string app(rawValue(late.app));
            if (!taken[i]) {
                log::info(logCategory,
                          "dropped scores of " + app + " that couldn't be saved: newer ones were stored since");
            } else if (!late.toldNotSaved) {
                log::info(logCategory, "saved a change of " + app + " that couldn't be saved before");
            } else {
                log::info(logCategory, "saved scores of " + app + " that couldn't be saved before");
                if (std::ranges::find(result.savedLate, late.app) == result.savedLate.end())
                    result.savedLate.push_back(late.app);
            }
        }
        stored_ = apps;
        read_ = out;
        unsaved_.clear();
        return saved;
    });
    return result;
}

ExternalBenchmarkAppSettings ExternalBenchmarkStore::settings(ExternalBenchmarkApp app) const {
    std::lock_guard lock(mutex_);
    readStored();
    const Apps apps = current();
    auto it = apps.find(app);
    return it == apps.end() ? ExternalBenchmarkAppSettings{} : it->second;
}

SaveResult ExternalBenchmarkStore::setInstallation(const std::optional<ExternalBenchmarkInstallation>& installation,
                                                   ExternalBenchmarkApp app) {
    std::lock_guard lock(mutex_);
    return update({[=](Apps& apps, bool) {
                       apps[app].installation = installation;
                       return true;
                   },
                   app});
}

ExternalBenchmarkStore::ResultSave ExternalBenchmarkStore::setResult(const ExternalBenchmarkResult& result,
                                                                     ExternalBenchmarkApp app) {
    std::lock_guard lock(mutex_);
    return update({[=](Apps& apps, bool replayed) { return layScores(apps[app].lastResult, result, replayed); }, app,
                   true});
}

SaveResult ExternalBenchmarkStore::addPending(const PendingGeekbenchResult& pending, ExternalBenchmarkApp app) {
    std::lock_guard lock(mutex_);
    return update({[=](Apps& apps, bool) {
                       apps[app].pendingResults.push_back(pending);
                       return true;
                   },
                   app});
}

ExternalBenchmarkResult ExternalBenchmarkStore::applyRecovered(const ExternalBenchmarkResult& result,
                                                               const PendingGeekbenchResult& pending,
                                                               ExternalBenchmarkApp app) {
    std::lock_guard lock(mutex_);
    const auto merge = [=](Apps& apps, bool replayed) {
        ExternalBenchmarkAppSettings& settings = apps[app];
        std::erase_if(settings.pendingResults, [&](const PendingGeekbenchResult& p) { return p.url == pending.url; });
        return layScores(settings.lastResult, result, replayed);
    };
    update({merge, app}); // logged when it fails
    return current()[app].lastResult.value_or(result);
}

} // namespace zantiva
