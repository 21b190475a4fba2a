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

TEST_F(AccountCalls, RateLimitServerErrorsAndRefusalsKeepTheSession) {
    const struct {
        CannedReply reply;
        APIError::Kind kind;
        LocalizedMessage message;
    } cases[] = {
        {CannedReply::error(429, "zantiva_rate_limited", "Slow down."), APIError::Kind::rateLimited,
         LocalizedMessage("Net.RateLimited")},
        {{503, "<html>maintenance</html>", {}}, APIError::Kind::server, LocalizedMessage("Net.ServerError", "zantiva.ir", 503)},
        {CannedReply::error(403, "zantiva_banned", "This account is suspended."), APIError::Kind::rejected,
         LocalizedMessage("Net.Rejected", "This account is suspended.")},
    };
    for (const auto& c : cases) {
        server.answer("user-points", c.reply);
        const auto error = refreshError();
        ASSERT_TRUE(error) << c.reply.status;
        EXPECT_EQ(error->kind(), c.kind) << c.reply.status;
        EXPECT_EQ(error->userMessage(sites.persian), c.message);
    }
    EXPECT_TRUE(session.isAuthenticated());
}

// Replies that show signs of a cache, belong to another user or can't be read change nothing,
// and the user is told which: a cached copy only when a cache said so.
TEST_F(AccountCalls, UntrustedRepliesAreRefused) {
    const json::Json renamed = {{"user_id", 7}, {"user_name", "renamed"}};
    const auto cached = [&](QByteArray header, QByteArray value) {
        CannedReply reply = CannedReply::object(200, renamed);
        reply.headers.push_back({header, value});
        return reply;
    };
    const std::string cachedCopy = "Net.UntrustedResponse";
    const struct {
        CannedReply reply;
        APIError::Untrusted reason;
        std::string message;
    } cases[] = {
        {cached("Age", "120"), APIError::Untrusted::cached, cachedCopy},
        {cached("X-Cache", "HIT from proxy"), APIError::Untrusted::cached, cachedCopy},
        {cached("CF-Cache-Status", "hit"), APIError::Untrusted::cached, cachedCopy},
        {CannedReply::object(200, {{"user_id", 8}, {"user_name", "someone"}}), APIError::Untrusted::wrongUser,
         "Net.ResponseForAnotherAccount"},
        {{200, "[1, 2]", {}}, APIError::Untrusted::undecodable, "Net.UnreadableResponse"},
        {CannedReply::object(200, {{"user_name", "someone"}}), APIError::Untrusted::undecodable, "Net.UnreadableResponse"},
    };
    for (const auto& c : cases) {
        server.answer("user-points", c.reply);
        const auto error = refreshError();
        ASSERT_TRUE(error) << c.reply.body.constData();
        EXPECT_EQ(error->untrustedReason(), c.reason) << c.reply.body.constData();
        EXPECT_EQ(error->userMessage(sites.persian), LocalizedMessage(c.message, "zantiva.ir")) << c.reply.body.constData();
    }
    EXPECT_EQ(session.accountName(), "sara");

    server.answer("user-points", CannedReply::object(200, renamed));
    EXPECT_TRUE(awaitOutcome(api.refreshAccount()).value);
    EXPECT_EQ(session.accountName(), "renamed");
}

// A reply without a body is told as what it is, not as a cached copy, and changes nothing.
TEST_F(AccountCalls, AnEmptyReplyIsToldAsEmpty) {
    for (const QByteArray& body : {QByteArray(), QByteArray(" \n")}) {
        server.answer("user-points", {200, body, {}});
        const auto error = refreshError();
        ASSERT_TRUE(error);
        EXPECT_EQ(error->untrustedReason(), APIError::Untrusted::empty);
        EXPECT_EQ(error->userMessage(sites.persian), LocalizedMessage("Auth.EmptyResponse"));
    }
    EXPECT_EQ(session.accountName(), "sara");
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
