#include "Account/APIError.h"

namespace zantiva {

APIError APIError::rejected(int status, std::string code, std::string message) {
    APIError error(Kind::rejected, "rejected with status " + std::to_string(status) + (code.empty() ? "" : " " + code) +
                                       (message.empty() ? "" : ": " + message));
    error.status_ = status;
    error.code_ = std::move(code);
    error.message_ = std::move(message);
    return error;
}

APIError APIError::server(int status) {
    APIError error(Kind::server, "server error " + std::to_string(status));
    error.status_ = status;
    return error;
}

APIError APIError::untrusted(Untrusted reason, const std::string& detail) {
    const char* what = reason == Untrusted::cached      ? "untrusted reply: served from a cache"
                       : reason == Untrusted::wrongUser ? "untrusted reply: for another user"
                       : reason == Untrusted::empty     ? "untrusted reply: empty"
                       : reason == Untrusted::unsafeLink ? "untrusted reply: a link that is not https"
                                                        : "untrusted reply: can't be decoded";
    APIError error(Kind::untrustedResponse, detail.empty() ? what : std::string(what) + " (" + detail + ")");
    error.untrusted_ = reason;
    return error;
}

APIError APIError::unreachable(const std::string& detail) { return {Kind::unreachable, "unreachable: " + detail}; }
APIError APIError::notSignedIn() { return {Kind::notSignedIn, "not signed in"}; }
APIError APIError::unauthorized() { return {Kind::unauthorized, "session token not accepted"}; }
APIError APIError::sessionChanged() { return {Kind::sessionChanged, "the session changed during the call"}; }
APIError APIError::rateLimited() { return {Kind::rateLimited, "rate limited"}; }

std::optional<LocalizedMessage> APIError::userMessage(const SiteProfile& site) const {
    switch (kind_) {
    case Kind::rejected:
        return LocalizedMessage("Net.Rejected", !message_.empty() ? message_
                                                : !code_.empty()  ? code_
                                                                  : std::to_string(status_));
    case Kind::server: return LocalizedMessage("Net.ServerError", site.domain, status_);
    case Kind::untrustedResponse:
        // Each reason in its own words: a cached copy is only suspected when a cache said so.
        switch (untrusted_.value_or(Untrusted::undecodable)) {
        case Untrusted::cached: return LocalizedMessage("Net.UntrustedResponse", site.domain);
        case Untrusted::wrongUser: return LocalizedMessage("Net.ResponseForAnotherAccount", site.domain);
        case Untrusted::undecodable: return LocalizedMessage("Net.UnreadableResponse", site.domain);
        case Untrusted::empty: return LocalizedMessage("Auth.EmptyResponse");
        case Untrusted::unsafeLink: return LocalizedMessage("Net.UnsafeLink", site.domain);
        }
        break;
    case Kind::unreachable: return LocalizedMessage("Net.Unreachable", site.domain);
    case Kind::notSignedIn: return LocalizedMessage("Auth.NoSession");
    case Kind::unauthorized: return LocalizedMessage("Main.SessionExpired");
    case Kind::sessionChanged: return std::nullopt;
    case Kind::rateLimited: return LocalizedMessage("Net.RateLimited");
    }
    return std::nullopt;
}

} // namespace zantiva
