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
    // A "language" other than "en" reads as persian (a later version's language, say). A
    // key of the wrong type, or a top level that is not an object, fails the whole file
    // (DecodeError): it is damaged, and kept aside like any other damaged record.
    static AppSettings fromJson(const json::Json& object);
};

} // namespace zantiva
