#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "Account/SiteProfile.h"
#include "Localization/LocalizedMessage.h"

namespace zantiva {

// The failures of a website call. what() is an English line for the log; it never holds
// a token or a sign-in code.
class APIError : public std::runtime_error {
public:
    enum class Kind {
        rejected,          // the site refused the request (status, code, message)
        server,            // the site failed (5xx, or a status we don't handle)
        untrustedResponse, // a cached reply, a reply for another user, an empty one, one we can't decode,
                           // or one offering a link that is not https
        unreachable,       // no answer: network down, name unknown, refused, timed out, not https
        notSignedIn,       // the call needs a session and there is none
        unauthorized,      // the site no longer accepts the session token
        sessionChanged,    // the session changed while the call ran; its answer was dropped
        rateLimited,       // too many requests (429)
    };
    enum class Untrusted { cached, wrongUser, undecodable, empty, unsafeLink };

    static APIError rejected(int status, std::string code, std::string message);
    static APIError server(int status);
    static APIError untrusted(Untrusted reason, const std::string& detail = {});
    static APIError unreachable(const std::string& detail);
    static APIError notSignedIn();
    static APIError unauthorized();
    static APIError sessionChanged();
    static APIError rateLimited();

    Kind kind() const { return kind_; }
    int status() const { return status_; }
    const std::string& code() const { return code_; }
    const std::string& message() const { return message_; }
    std::optional<Untrusted> untrustedReason() const { return untrusted_; }

    // What the user is told; the site names itself in the texts that mention it. Absent for
    // a changed session: its answer belongs to a session the user has left.
    std::optional<LocalizedMessage> userMessage(const SiteProfile& site) const;

private:
    APIError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}

    Kind kind_;
    int status_ = 0;
    std::string code_;
    std::string message_;
    std::optional<Untrusted> untrusted_;
};

} // namespace zantiva
