#include "External/ExternalBenchmarkStore.h"

#include <algorithm>

#include "Model/JsonFile.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

constexpr std::string_view logCategory = "external";

// The stored record of each application the file has; a record that doesn't decode is
// handed to `broken` with the reason.
template <typename Broken>
std::map<ExternalBenchmarkApp, ExternalBenchmarkAppSettings> decodeRecords(const json::Json& stored, Broken broken) {
    std::map<ExternalBenchmarkApp, ExternalBenchmarkAppSettings> apps;
    for (ExternalBenchmarkApp app : allCases<ExternalBenchmarkApp>()) {
        auto it = stored.find(std::string(rawValue(app)));
        if (it == stored.end()) continue;
        try {
            apps[app] = ExternalBenchmarkAppSettings::fromJson(*it);
        } catch (const json::DecodeError& error) {
            broken(std::string(rawValue(app)) + ": " + error.what());
        }
    }
    return apps;
}

// A file with any record that doesn't decode is kept aside: saving over it would lose that record.
std::optional<std::string> undecodable(const std::string& text) {
    const json::Json stored = json::Json::parse(text, nullptr, false);
    if (!stored.is_object()) return "not a JSON object";
    std::optional<std::string> problem;
    decodeRecords(stored, [&](std::string reason) { problem = std::move(reason); });
    return problem;
}

} // namespace

ExternalBenchmarkStore::ExternalBenchmarkStore(std::optional<std::filesystem::path> directory) {
    if (directory) file_ = *directory / fileName;
    load();
}

void ExternalBenchmarkStore::load() {
    if (!file_) return;
    const std::optional<json::Json> stored = jsonfile::load(*file_);
    if (!stored || !stored->is_object()) return;
    apps_ = decodeRecords(*stored, [](const std::string& reason) {
        log::error(logCategory, "ignoring the stored record of " + reason);
    });
}

SaveResult ExternalBenchmarkStore::save() const {
    if (!file_) return jsonfile::saveWithoutFolder(fileName, logCategory);
    json::Json out = json::Json::object();
    for (const auto& [app, settings] : apps_) out[std::string(rawValue(app))] = settings.toJson();
    return jsonfile::saveKeepingUndecodable(*file_, out, logCategory, undecodable);
}

ExternalBenchmarkAppSettings ExternalBenchmarkStore::settings(ExternalBenchmarkApp app) const {
    std::lock_guard lock(mutex_);
    auto it = apps_.find(app);
    return it == apps_.end() ? ExternalBenchmarkAppSettings{} : it->second;
}

void ExternalBenchmarkStore::setInstallation(const std::optional<ExternalBenchmarkInstallation>& installation,
                                             ExternalBenchmarkApp app) {
    std::lock_guard lock(mutex_);
    apps_[app].installation = installation;
    save();
}

SaveResult ExternalBenchmarkStore::setResult(const ExternalBenchmarkResult& result, ExternalBenchmarkApp app) {
    std::lock_guard lock(mutex_);
    apps_[app].lastResult = result;
    return save();
}

void ExternalBenchmarkStore::addPending(const PendingGeekbenchResult& pending, ExternalBenchmarkApp app) {
    std::lock_guard lock(mutex_);
    apps_[app].pendingResults.push_back(pending);
    save();
}

ExternalBenchmarkResult ExternalBenchmarkStore::applyRecovered(const ExternalBenchmarkResult& result,
                                                               const PendingGeekbenchResult& pending,
                                                               ExternalBenchmarkApp app) {
    std::lock_guard lock(mutex_);
    ExternalBenchmarkAppSettings& settings = apps_[app];
    ExternalBenchmarkResult merged = settings.lastResult.value_or(result);
    if (result.singleCoreScore) merged.singleCoreScore = result.singleCoreScore;
    if (result.multiCoreScore) merged.multiCoreScore = result.multiCoreScore;
    if (result.gpuScore) merged.gpuScore = result.gpuScore;
    merged.recordedAt = result.recordedAt;
    settings.lastResult = merged;
    std::erase_if(settings.pendingResults, [&](const PendingGeekbenchResult& p) { return p.url == pending.url; });
    save();
    return merged;
}

} // namespace zantiva
