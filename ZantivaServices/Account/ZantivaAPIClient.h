#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <QCoro/QCoroTask>

#include "Account/ApiCall.h"
#include "Account/BenchmarkSubmission.h"
#include "Account/HttpTransport.h"
#include "Account/LinkDisposition.h"
#include "Account/SessionManager.h"
#include "Model/DeviceProfile.h"

namespace zantiva {

// Where a finished sign-in left its token.
struct SignInOutcome {
    enum class Kind {
        activated,             // signed in on the active site
        storedForInactiveSite, // kept for a site the user switched away from meanwhile
    };
    Kind kind;
    SiteProfile site;

    bool operator==(const SignInOutcome&) const = default;
};

// The signed-in account as "user-points" tells it.
struct UserAccountResponse {
    std::int64_t userId = 0;
    std::string userName;
    std::optional<std::int64_t> points;

    bool operator==(const UserAccountResponse&) const = default;
};

// The website's REST API for the account session (docs/web-api.md). Calls made with a
// session check their answer against it: an answer that arrives after the session
// changed is dropped (sessionChanged), one for another user is refused, and a token the
// site no longer accepts ends the session. Main thread only; the session manager and the
// transport must outlive every call.
class ZantivaAPIClient {
public:
    ZantivaAPIClient(SessionManager& session, HttpTransport& transport) : session_(session), transport_(transport) {}

    // Exchanges the grant's code and verifier for a session token and hands it to the
    // session manager. APIError (sessionChanged when a later link superseded this one),
    // or KeychainError when the token can't be kept; the sign-in then ends.
    QCoro::Task<SignInOutcome> exchange(SignInGrant grant);
    // Asks the site to end the snapshot's session; failures are only logged.
    QCoro::Task<> revoke(SessionSnapshot snapshot);
    // Fetches the signed-in account and brings the session's account name up to date.
    QCoro::Task<UserAccountResponse> refreshAccount();
    // Sends the device profile, or the result record, for the snapshot's session.
    QCoro::Task<> reportDevice(SessionSnapshot snapshot, DeviceProfile profile);
    QCoro::Task<> submitResult(SessionSnapshot snapshot, BenchmarkSubmission submission);

private:
    QCoro::Task<json::Json> authorizedCall(SessionSnapshot snapshot, ApiRequest request);

    SessionManager& session_;
    HttpTransport& transport_;
};

} // namespace zantiva
