#pragma once

// The user's stored preferences: the interface language and the version of the update
// offer that the user dismissed.

#include <optional>
#include <string>

#include "Localization/AppLanguage.h"
#include "Model/JsonCodec.h"

namespace zantiva {

struct AppSettings {
    AppLanguage language = AppLanguage::persian;
    std::optional<std::string> dismissedUpdateVersion;

    bool operator==(const AppSettings&) const = default;

    json::Json toJson() const;
    // Lenient field by field: a bad "language" reads as persian, a bad
    // "dismissed_update_version" as none. Only a top level that is not an object fails.
    static AppSettings fromJson(const json::Json& object);
};

} // namespace zantiva
