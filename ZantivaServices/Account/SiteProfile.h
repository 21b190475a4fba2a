#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QUrl>

#include "Localization/AppLanguage.h"

namespace zantiva {

// One of the account websites: its domain and the base address every other address is
// made from. Two profiles are the same site when domain and base address agree.
struct SiteProfile {
    std::string domain;
    QUrl baseURL;

    // The production site of a domain: "https://" + domain + "/".
    static SiteProfile production(std::string_view domain);

    // The REST endpoint under "wp-json/zantiva/v1/".
    QUrl apiURL(std::string_view endpoint) const;
    // The browser sign-in page, with the PKCE challenge and the state the return link must carry.
    QUrl signInURL(std::string_view state, std::string_view codeChallenge) const;
    QUrl lostPasswordURL() const;
    // The keyring account that holds this site's session.
    std::string keychainAccount() const { return "session-" + domain; }

    bool operator==(const SiteProfile&) const = default;
};

// The site of each interface language. The program uses production(); tests hand in sites
// whose base address is a loopback server.
struct SiteDirectory {
    SiteProfile persian;
    SiteProfile english;

    // zantiva.ir for Persian, zantiva.com for English.
    static SiteDirectory production();

    const SiteProfile& forLanguage(AppLanguage language) const;
};

} // namespace zantiva
