#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "Account/SiteProfile.h"

namespace zantiva {

// What a sign-in return link ("zantiva://auth?code=…&state=…&site=…") may carry into the
// code exchange: the pending sign-in's site and verifier with the link's code.
struct SignInGrant {
    SiteProfile site;
    std::string code;
    std::string verifier;
    std::uint64_t serial = 0; // which accepted link this is; a later one supersedes it

    bool operator==(const SignInGrant&) const = default;
};

// Why a sign-in link was refused while a sign-in was pending.
enum class LinkRejection {
    carriesToken,  // a token in the link itself: never accepted
    stateMismatch, // not the state of the pending sign-in
    wrongSite,     // for another site than the one the sign-in began on
    missingCode,
};

struct LinkIgnored {
    bool operator==(const LinkIgnored&) const = default;
};
struct LinkRejected {
    LinkRejection reason;
    bool operator==(const LinkRejected&) const = default;
};
struct LinkAccepted {
    SignInGrant grant;
    bool operator==(const LinkAccepted&) const = default;
};

// Ignored when no sign-in is pending (also a link already used), rejected with the
// reason, or accepted with the grant to exchange.
using LinkDisposition = std::variant<LinkIgnored, LinkRejected, LinkAccepted>;

} // namespace zantiva
