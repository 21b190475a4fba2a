#pragma once

#include <cstdint>
#include <string>

#include "Account/SiteProfile.h"

namespace zantiva {

// Where the account session stands, as the sign-in prompt reads it: authenticating from
// the start of a browser sign-in until its code has been exchanged or the attempt ends.
enum class AuthState { signedOut, authenticating, signedIn };

// The site, token and user a web call was started with. A reply is used only while the
// session is still this one (SessionManager::isCurrent).
struct SessionSnapshot {
    SiteProfile site;
    std::string token;
    std::int64_t userId = 0;
    std::uint64_t generation = 0; // the session manager's count of session changes

    bool operator==(const SessionSnapshot&) const = default;
};

} // namespace zantiva
