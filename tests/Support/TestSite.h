#pragma once

// The account website as docs/web-api.md describes it, played on a loopback server: the
// browser sign-in hands out one-time codes bound to the PKCE challenge, "desktop-token"
// checks the verifier against it and issues tokens, and the authenticated endpoints
// answer for the token's user.

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include <QUrl>

#include "Support/LoopbackServer.h"

namespace zantiva::testing {

class TestSite {
public:
    explicit TestSite(LoopbackServer& server, std::int64_t userId = 7, std::string userName = "sara");

    // What the browser does on the sign-in page: the user signs in and the page sends the
    // app its return link, with a fresh code for the page's challenge.
    QUrl signInInBrowser(const QUrl& signInPage, const std::string& domain);

    // Tokens issued from now on and those already issued stop being accepted.
    void expireAllTokens() { expired_ = true; }
    std::int64_t userId() const { return userId_; }

private:
    CannedReply exchange(const RecordedRequest& request);
    // The reply to an authenticated request, or a 401 when its token is not accepted.
    CannedReply authorized(const RecordedRequest& request, json::Json reply) const;

    LoopbackServer& server_;
    std::int64_t userId_;
    std::string userName_;
    std::map<std::string, std::string> challenges_; // code -> code_challenge
    std::set<std::string> tokens_;
    int issued_ = 0;
    bool expired_ = false;
};

} // namespace zantiva::testing
