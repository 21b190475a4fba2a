#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Account/AppVersion.h"
#include "Localization/AppLanguage.h"
#include "Model/Date.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// A download address that is not https with a host (a "javascript:" or "file:" link, say).
struct UnsafeDownloadLink : json::DecodeError {
    using json::DecodeError::DecodeError;
};

// A newer version offered by the website, as the "app-update" endpoint describes it.
struct AppUpdateInfo {
    AppVersion version;
    std::string downloadURL;                   // always an https address with a host
    bool isDirectDownload = false;             // the address is the file itself, not a page
    std::optional<Date> released;
    std::int64_t fileSizeBytes = 0;            // 0 when the site does not say
    std::vector<std::string> notesFa;
    std::vector<std::string> notesEn;

    // The language's release notes, or the other language's when that list is empty.
    const std::vector<std::string>& notes(AppLanguage language) const;

    // From the endpoint's reply; DecodeError for a missing or unparsable version, and
    // UnsafeDownloadLink for a download address that is not https, so that no such offer
    // ever reaches the browser.
    static AppUpdateInfo fromJson(const json::Json& j);

    bool operator==(const AppUpdateInfo&) const = default;
};

} // namespace zantiva
