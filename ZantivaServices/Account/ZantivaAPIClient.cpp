#include "Account/ZantivaAPIClient.h"

#include "Account/APIError.h"
#include "Platform/Log.h"
#include "WebRequest/HeaderText.h"

namespace zantiva {
namespace {

constexpr std::string_view category = "api";

template <typename Decode> auto decodeReply(const json::Json& reply, Decode decode) {
    try {
        return decode(reply);
    } catch (const json::DecodeError& error) {
        throw APIError::untrusted(APIError::Untrusted::undecodable, error.what());
    }
}

} // namespace

QCoro::Task<SignInOutcome> ZantivaAPIClient::exchange(SignInGrant grant) {
    StoredSession stored;
    std::optional<std::string> userName;
    try {
        json::Json body = json::Json::object();
        json::put(body, "code", grant.code);
        json::put(body, "code_verifier", grant.verifier);
        auto call = callAPI(transport_, grant.site, {"POST", "desktop-token", {}, std::move(body), {}});
        const json::Json reply = co_await std::move(call);
        decodeReply(reply, [&](const json::Json& j) {
            stored = {json::required<std::string>(j, "token"), json::required<std::int64_t>(j, "user_id")};
            userName = json::optional<std::string>(j, "user_name");
            if (stored.token.empty()) throw json::DecodeError("token: empty");
            // It goes into the head of every later call: a line break there would add lines of the site's choosing.
            if (!isHeaderValue(stored.token)) throw json::DecodeError("token: holds a control character");
        });
    } catch (...) {
        session_.failSignIn(grant);
        throw;
    }
    auto completion = session_.completeSignIn(grant, std::move(stored), std::move(userName));
    switch (co_await completion) {
    case SessionManager::SignInResult::activated: co_return SignInOutcome{SignInOutcome::Kind::activated, grant.site};
    case SessionManager::SignInResult::storedForInactiveSite:
        co_return SignInOutcome{SignInOutcome::Kind::storedForInactiveSite, grant.site};
    case SessionManager::SignInResult::superseded: break;
    }
    throw APIError::sessionChanged();
}

QCoro::Task<> ZantivaAPIClient::revoke(SessionSnapshot snapshot) {
    try {
        auto call = callAPI(transport_, snapshot.site, {"POST", "desktop-logout", snapshot.token, json::Json::object(), {}});
        co_await std::move(call);
    } catch (const std::exception& error) {
        log::info(category, "sign-out at " + snapshot.site.domain + " failed: " + error.what());
    }
}

QCoro::Task<json::Json> ZantivaAPIClient::authorizedCall(SessionSnapshot snapshot, ApiRequest request) {
    request.bearerToken = snapshot.token;
    json::Json reply;
    try {
        auto call = callAPI(transport_, snapshot.site, std::move(request));
        reply = co_await std::move(call);
    } catch (const APIError& error) {
        if (!session_.isCurrent(snapshot)) throw APIError::sessionChanged();
        if (error.kind() == APIError::Kind::unauthorized) session_.expire(snapshot);
        throw;
    }
    if (!session_.isCurrent(snapshot)) throw APIError::sessionChanged();
    const auto userId = decodeReply(reply, [](const json::Json& j) { return json::required<std::int64_t>(j, "user_id"); });
    if (userId != snapshot.userId)
        throw APIError::untrusted(APIError::Untrusted::wrongUser, "user " + std::to_string(userId));
    co_return reply;
}

QCoro::Task<UserAccountResponse> ZantivaAPIClient::refreshAccount() {
    const auto snapshot = session_.snapshot();
    if (!snapshot) throw APIError::notSignedIn();
    auto call = authorizedCall(*snapshot, {"GET", "user-points", {}, {}, {}});
    const json::Json reply = co_await std::move(call);
    auto account = decodeReply(reply, [](const json::Json& j) {
        return UserAccountResponse{json::required<std::int64_t>(j, "user_id"), json::required<std::string>(j, "user_name"),
                                   json::optional<std::int64_t>(j, "points")};
    });
    session_.setAccountName(*snapshot, account.userName);
    co_return account;
}

QCoro::Task<> ZantivaAPIClient::reportDevice(SessionSnapshot snapshot, DeviceProfile profile) {
    json::Json body = json::Json::object();
    json::put(body, "device", profile);
    auto call = authorizedCall(std::move(snapshot), {"POST", "device", {}, std::move(body), {}});
    co_await std::move(call);
}

QCoro::Task<> ZantivaAPIClient::submitResult(SessionSnapshot snapshot, BenchmarkSubmission submission) {
    auto call = authorizedCall(std::move(snapshot), {"POST", "submit-benchmark", {}, submission.body(), {}});
    co_await std::move(call);
}

} // namespace zantiva
