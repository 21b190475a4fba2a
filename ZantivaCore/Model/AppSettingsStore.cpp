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

void AppSettingsStore::setLanguage(AppLanguage language) {
    update([&](AppSettings& s) { s.language = language; });
}

void AppSettingsStore::setDismissedUpdateVersion(std::optional<std::string> version) {
    update([&](AppSettings& s) { s.dismissedUpdateVersion = std::move(version); });
}

template <typename Change> void AppSettingsStore::update(Change change) {
    AppSettings changed = current_;
    change(changed);
    if (changed == current_) return;
    current_ = std::move(changed);
    save();
}

void AppSettingsStore::save() const {
    if (!fileURL_) {
        jsonfile::logSaveFailure(logCategory, fileName, "no home folder");
        return;
    }
    jsonfile::saveKeepingUndecodable(*fileURL_, current_.toJson(), logCategory,
                                     jsonfile::decodedBy([](const json::Json& j) { AppSettings::fromJson(j); }));
}

} // namespace zantiva
