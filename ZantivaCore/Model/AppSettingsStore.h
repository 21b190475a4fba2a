#pragma once

// Keeps AppSettings in "settings.json" in the app folder. The file is read once, at
// creation; every change that alters the settings rewrites it whole. Failures never reach
// the caller: an unusable file gives the defaults (and is kept aside as
// "settings.json.bad" at the next save), a failed save is logged ("settings").
// Used from the main thread only.

#include <filesystem>
#include <optional>
#include <string>

#include "Model/AppSettings.h"

namespace zantiva {

class AppSettingsStore {
public:
    // `directory` absent (no home folder): the settings live in memory only.
    explicit AppSettingsStore(std::optional<std::filesystem::path> directory);

    const AppSettings& current() const { return current_; }
    const std::optional<std::filesystem::path>& fileURL() const { return fileURL_; }

    void setLanguage(AppLanguage language);
    void setDismissedUpdateVersion(std::optional<std::string> version);

private:
    template <typename Change> void update(Change change);
    void save() const;

    AppSettings current_;
    std::optional<std::filesystem::path> fileURL_;
};

} // namespace zantiva
