#include "Model/AppSettingsStore.h"

#include "Model/JsonFile.h"

namespace zantiva {
namespace {
constexpr const char* fileName = "settings.json";
constexpr const char* logCategory = "settings";
} // namespace

AppSettingsStore::AppSettingsStore(std::optional<std::filesystem::path> directory) {
    if (!directory) return;
    fileURL_ = *directory / fileName;
    if (const auto stored = jsonfile::load(*fileURL_)) {
        try {
            current_ = AppSettings::fromJson(*stored);
        } catch (const json::DecodeError&) {
            // Damaged: the defaults stand, and the next save keeps the file aside.
        }
    }
}

SaveResult AppSettingsStore::setLanguage(AppLanguage language) {
    return update([&](AppSettings& s) { s.language = language; });
}

SaveResult AppSettingsStore::setDismissedUpdateVersion(std::optional<std::string> version) {
    return update([&](AppSettings& s) { s.dismissedUpdateVersion = std::move(version); });
}

template <typename Change> SaveResult AppSettingsStore::update(Change change) {
    AppSettings changed = current_;
    change(changed);
    if (changed == current_) return {};
    current_ = std::move(changed);
    return save();
}

SaveResult AppSettingsStore::save() const {
    if (!fileURL_) return jsonfile::saveWithoutFolder(fileName, logCategory);
    return jsonfile::saveKeepingUndecodable(*fileURL_, current_.toJson(), logCategory,
                                            jsonfile::decodedBy([](const json::Json& j) { AppSettings::fromJson(j); }));
}

} // namespace zantiva
