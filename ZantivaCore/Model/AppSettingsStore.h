#pragma once

// Keeps AppSettings in "settings.json" in the app folder. The file is read once, at
// creation; every change that alters the settings rewrites it with that change only, the
// keys this version doesn't know written back as they were. Nothing here throws:
// an unusable file gives the defaults (and is kept aside as "settings.json.bad" at the
// next save); a change answers whether it was saved, and a failed save is logged
// ("settings") and keeps the new value in memory.
// Used from the main thread only.

#include <filesystem>
#include <optional>
#include <string>

#include "Model/AppSettings.h"
#include "Model/SaveResult.h"

namespace zantiva {

class AppSettingsStore {
public:
    // `directory` absent (no home folder): the settings live in memory only.
    explicit AppSettingsStore(std::optional<std::filesystem::path> directory);

    const AppSettings& current() const { return current_; }
    const std::optional<std::filesystem::path>& fileURL() const { return fileURL_; }

    // A change to what is already there saves nothing and answers saved.
    SaveResult setLanguage(AppLanguage language);
    SaveResult setDismissedUpdateVersion(std::optional<std::string> version);

private:
    template <typename Change> SaveResult update(Change change);
    SaveResult save(const AppSettings& before) const;

    AppSettings current_;
    std::optional<std::filesystem::path> fileURL_;
};

} // namespace zantiva
