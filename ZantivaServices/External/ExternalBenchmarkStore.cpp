#include "External/ExternalBenchmarkStore.h"

#include <algorithm>

#include "Model/JsonFile.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

constexpr std::string_view logCategory = "external";

} // namespace

ExternalBenchmarkStore::ExternalBenchmarkStore(std::optional<std::filesystem::path> directory) {
    if (directory) file_ = *directory / fileName;
    load();
}

void ExternalBenchmarkStore::load() {
    if (!file_) return;
    const std::optional<json::Json> stored = jsonfile::load(*file_);
    if (!stored || !stored->is_object()) return;
    for (ExternalBenchmarkApp app : allCases<ExternalBenchmarkApp>()) {
        auto it = stored->find(std::string(rawValue(app)));
        if (it == stored->end()) continue;
        try {
            apps_[app] = ExternalBenchmarkAppSettings::fromJson(*it);
        } catch (const json::DecodeError& error) {
            log::error(logCategory, std::string("ignoring the stored record of ") + std::string(rawValue(app)) + ": " +
                                        error.what());
        }
    }
}

void ExternalBenchmarkStore::save() const {
    if (!file_) return;
    json::Json out = json::Json::object();
    for (const auto& [app, settings] : apps_) out[std::string(rawValue(app))] = settings.toJson();
    jsonfile::save(*file_, out, logCategory);
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

void ExternalBenchmarkStore::setResult(const ExternalBenchmarkResult& result, ExternalBenchmarkApp app) {
    std::lock_guard lock(mutex_);
    apps_[app].lastResult = result;
    save();
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
