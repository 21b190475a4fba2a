#include "Support/TestSite.h"

#include <QUrlQuery>

#include "Account/PKCE.h"

namespace zantiva::testing {

TestSite::TestSite(LoopbackServer& server, std::int64_t userId, std::string userName)
    : server_(server), userId_(userId), userName_(std::move(userName)) {
    server_.on("desktop-token", [this](const RecordedRequest& r) { return exchange(r); });
    server_.on("user-points", [this](const RecordedRequest& r) {
        return authorized(r, {{"user_id", userId_}, {"user_name", userName_}, {"points", 120}});
    });
    server_.on("device", [this](const RecordedRequest& r) { return authorized(r, {{"user_id", userId_}}); });
    server_.on("submit-benchmark", [this](const RecordedRequest& r) { return authorized(r, {{"user_id", userId_}}); });
    server_.on("desktop-logout", [this](const RecordedRequest& r) {
        tokens_.erase(r.header("authorization").mid(7).toStdString());
        return CannedReply::object(200, {{"signed_out", true}});
    });
}

QUrl TestSite::signInInBrowser(const QUrl& signInPage, const std::string& domain) {
    const QUrlQuery page(signInPage);
    const std::string code = "code-" + std::to_string(challenges_.size() + 1);
    challenges_[code] = page.queryItemValue("code_challenge").toStdString();
    QUrlQuery link;
    link.addQueryItem("code", QString::fromStdString(code));
    link.addQueryItem("state", page.queryItemValue("state"));
    link.addQueryItem("site", QString::fromStdString(domain));
    QUrl url("zantiva://auth");
    url.setQuery(link);
    return url;
}

CannedReply TestSite::exchange(const RecordedRequest& request) {
    const json::Json body = request.jsonBody();
    const std::string code = body.value("code", "");
    const auto it = challenges_.find(code);
    if (it == challenges_.end() || PKCE::challenge(body.value("code_verifier", "")) != it->second)
        return CannedReply::error(400, "zantiva_invalid_grant", "The sign-in code is not valid.");
    challenges_.erase(it); // one use only
    const std::string token = "token-" + std::to_string(++issued_);
    tokens_.insert(token);
    return CannedReply::object(200, {{"token", token}, {"user_id", userId_}, {"user_name", userName_}});
}

CannedReply TestSite::authorized(const RecordedRequest& request, json::Json reply) const {
    const QByteArray header = request.header("authorization");
    if (expired_ || !header.startsWith("Bearer ") || !tokens_.contains(header.mid(7).toStdString()))
        return CannedReply::error(401, "zantiva_token_expired", "The session has expired.");
    return CannedReply::object(200, reply);
}

} // namespace zantiva::testing
