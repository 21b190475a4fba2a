// Authenticated calls of a signed-in session and the answers they must not trust.

#include <gtest/gtest.h>

#include "AccountFixture.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

class AccountCalls : public AccountFixture {
protected:
    void SetUp() override { signIn(); }

    std::optional<APIError> refreshError() { return apiError(awaitOutcome(api.refreshAccount())); }
};

TEST_F(AccountCalls, ExpiredTokenEndsTheSessionWithTheSessionExpiredMessage) {
    website.expireAllTokens();
    const auto error = refreshError();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), APIError::Kind::unauthorized);
    EXPECT_EQ(error->userMessage(sites.persian), LocalizedMessage("Main.SessionExpired"));
    EXPECT_FALSE(session.isAuthenticated());
    EXPECT_FALSE(stored("session-zantiva.ir"));
}

TEST_F(AccountCalls, RateLimitAndServerErrorsKeepTheSession) {
    server.answer("user-points", CannedReply::error(429, "zantiva_rate_limited", "Slow down."));
    auto error = refreshError();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), APIError::Kind::rateLimited);
    EXPECT_EQ(error->userMessage(sites.persian), LocalizedMessage("Net.RateLimited"));

    server.answer("user-points", {503, "<html>maintenance</html>", {}});
    error = refreshError();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), APIError::Kind::server);
    EXPECT_EQ(error->userMessage(sites.persian), LocalizedMessage("Net.ServerError", "zantiva.ir", 503));

    server.answer("user-points", CannedReply::error(403, "zantiva_banned", "This account is suspended."));
    error = refreshError();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->userMessage(sites.persian), LocalizedMessage("Net.Rejected", "This account is suspended."));
    EXPECT_TRUE(session.isAuthenticated());
}

TEST_F(AccountCalls, RepliesThatShowSignsOfACacheAreRefused) {
    const json::Json fresh = {{"user_id", 7}, {"user_name", "renamed"}};
    for (const auto& header : std::vector<std::pair<QByteArray, QByteArray>>{
             {"Age", "120"}, {"X-Cache", "HIT from proxy"}, {"CF-Cache-Status", "hit"}}) {
        CannedReply cached = CannedReply::object(200, fresh);
        cached.headers.push_back(header);
        server.answer("user-points", cached);
        const auto error = refreshError();
        ASSERT_TRUE(error) << header.first.constData();
        EXPECT_EQ(error->untrustedReason(), APIError::Untrusted::cached) << header.first.constData();
        EXPECT_EQ(error->userMessage(sites.persian), LocalizedMessage("Net.UntrustedResponse", "zantiva.ir"));
    }
    EXPECT_EQ(session.accountName(), "sara");

    server.answer("user-points", CannedReply::object(200, fresh));
    EXPECT_TRUE(awaitOutcome(api.refreshAccount()).value);
    EXPECT_EQ(session.accountName(), "renamed");
}

TEST_F(AccountCalls, AReplyForAnotherUserIsRefused) {
    server.answer("user-points", CannedReply::object(200, {{"user_id", 8}, {"user_name", "someone"}}));
    const auto error = refreshError();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->untrustedReason(), APIError::Untrusted::wrongUser);
    EXPECT_EQ(session.accountName(), "sara");

    server.answer("user-points", {200, "[1, 2]", {}});
    EXPECT_EQ(refreshError()->untrustedReason(), APIError::Untrusted::undecodable);
}

TEST_F(AccountCalls, AnAnswerArrivingAfterASiteSwitchIsDropped) {
    server.on("user-points", [this](const RecordedRequest&) {
        session.setLanguage(AppLanguage::english); // the user switches while the call runs
        return CannedReply::object(200, {{"user_id", 7}, {"user_name", "renamed"}});
    });
    const auto error = refreshError();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), APIError::Kind::sessionChanged);
    EXPECT_FALSE(error->userMessage(sites.persian));
    EXPECT_FALSE(session.accountName());

    // An expired answer for the old site must not end the session the user is in now.
    session.setLanguage(AppLanguage::persian);
    server.on("user-points", [this](const RecordedRequest&) {
        session.setLanguage(AppLanguage::english);
        return CannedReply::error(401, "zantiva_token_expired", "The session has expired.");
    });
    EXPECT_EQ(refreshError()->kind(), APIError::Kind::sessionChanged);
    session.setLanguage(AppLanguage::persian);
    EXPECT_TRUE(session.isAuthenticated());
}

TEST_F(AccountCalls, SignedOutCallsAreNotSent) {
    session.signOut();
    const int sent = static_cast<int>(server.requests().size());
    EXPECT_EQ(refreshError()->kind(), APIError::Kind::notSignedIn);
    EXPECT_EQ(static_cast<int>(server.requests().size()), sent);
}

} // namespace
