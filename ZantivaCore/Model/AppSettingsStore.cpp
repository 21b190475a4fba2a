#include "Model/AppSettingsStore.h"

#include <utility>

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
    const AppSettings before = std::exchange(current_, std::move(changed));
    return save(before);
}

SaveResult AppSettingsStore::save(const AppSettings& before) const {
    if (!fileURL_) return jsonfile::saveWithoutFolder(fileName, logCategory);
    const auto problemOf = jsonfile::decodedBy([](const json::Json& j) { AppSettings::fromJson(j); });
    // Only the setting changed is written, over the file as it stands under its lock: the keys
    // of a later version, its values this one can't read (a language it doesn't know) and what
    // another process saved meanwhile stay as they are.
    return jsonfile::whileLocked(*fileURL_, logCategory, [&] {
        json::Json value = current_.toJson();
        if (const auto text = readWholeFile(*fileURL_); text && !problemOf(*text))
            value = jsonfile::withChanges(json::Json::parse(*text), before.toJson(), value);
        return jsonfile::saveKeepingUndecodable(*fileURL_, value, logCategory, problemOf);
    });
}

} // namespace zantiva
