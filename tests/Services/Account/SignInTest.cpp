// Browser sign-in from the return link to the stored token, against the loopback website.

#include <gtest/gtest.h>

#include <QUrlQuery>

#include "AccountFixture.h"
#include "Account/StoredSession.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

class SignIn : public AccountFixture {};

TEST_F(SignIn, RoundTripFromLinkToStoredTokenThenAuthenticatedCalls) {
    const QUrl page = session.beginSignIn();
    EXPECT_EQ(session.state(), AuthState::authenticating);
    const QUrlQuery query(page);
    EXPECT_EQ(page.path(), "/my-account/");
    EXPECT_EQ(query.queryItemValue("authorize_app"), "zantiva-desktop");
    EXPECT_EQ(query.queryItemValue("code_challenge_method"), "S256");

    const QUrl link = website.signInInBrowser(page, "zantiva.ir");
    const auto disposition = session.handle(link);
    ASSERT_TRUE(disposition && std::holds_alternative<LinkAccepted>(*disposition));
    const SignInGrant grant = std::get<LinkAccepted>(*disposition).grant;
    EXPECT_EQ(session.state(), AuthState::authenticating) << "the exchange is still to come";

    const auto outcome = awaitOutcome(api.exchange(grant));
    ASSERT_TRUE(outcome.value);
    EXPECT_EQ(*outcome.value, (SignInOutcome{SignInOutcome::Kind::activated, sites.persian}));
    EXPECT_EQ(session.state(), AuthState::signedIn);
    EXPECT_TRUE(session.isAuthenticated());
    EXPECT_EQ(session.accountName(), "sara");
    EXPECT_EQ(stored("session-zantiva.ir"), (StoredSession{"token-1", 7}.encode()));

    const RecordedRequest& exchange = server.requests().back();
    EXPECT_EQ(exchange.method, "POST");
    EXPECT_EQ(exchange.jsonBody()["code_verifier"], grant.verifier);
    EXPECT_TRUE(exchange.header("authorization").isEmpty());

    // The same link again does nothing: it was used up.
    EXPECT_EQ(session.handle(link), (std::optional<LinkDisposition>(LinkIgnored{})));
    EXPECT_EQ(server.count("desktop-token"), 1);

    const auto account = awaitOutcome(api.refreshAccount());
    ASSERT_TRUE(account.value);
    EXPECT_EQ(*account.value, (UserAccountResponse{7, "sara", 120}));
    const RecordedRequest& refresh = server.requests().back();
    EXPECT_EQ(refresh.header("authorization"), "Bearer token-1");
    EXPECT_EQ(refresh.header("user-agent"), "ZantivaDiagnostics/9.9.9 (Linux test)");
    EXPECT_EQ(refresh.header("cache-control"), "no-cache, no-store, max-age=0");
    EXPECT_EQ(refresh.header("pragma"), "no-cache");
}

TEST_F(SignIn, FailedExchangeReturnsToSignedOut) {
    const SignInGrant grant = acceptedGrant();
    SignInGrant forged = grant;
    forged.verifier = "not-the-verifier";
    const auto outcome = awaitOutcome(api.exchange(forged));
    ASSERT_TRUE(apiError(outcome));
    EXPECT_EQ(apiError(outcome)->kind(), APIError::Kind::rejected);
    EXPECT_EQ(apiError(outcome)->code(), "zantiva_invalid_grant");
    EXPECT_EQ(session.state(), AuthState::signedOut);
    EXPECT_FALSE(stored("session-zantiva.ir"));
}

TEST_F(SignIn, ATokenThatCouldAddHeaderLinesIsRefusedWhereItArrives) {
    for (const char* token : {"abc\r\nX-Injected: 1", "abc\n", "a\tb", "abc\x7f"}) {
        const SignInGrant grant = acceptedGrant();
        server.answer("desktop-token",
                      CannedReply::object(200, {{"token", token}, {"user_id", 7}, {"user_name", "sara"}}));
        const auto outcome = awaitOutcome(api.exchange(grant));
        ASSERT_TRUE(apiError(outcome)) << token;
        EXPECT_EQ(apiError(outcome)->kind(), APIError::Kind::untrustedResponse);
        EXPECT_EQ(session.state(), AuthState::signedOut);
        EXPECT_FALSE(stored("session-zantiva.ir"));
    }
}

TEST_F(SignIn, SupersededExchangeCannotOverwriteTheNewerOutcome) {
    const SignInGrant older = acceptedGrant();
    const SignInGrant newer = acceptedGrant();
    ASSERT_TRUE(awaitOutcome(api.exchange(newer)).value);
    const auto newest = stored("session-zantiva.ir");

    const auto late = awaitOutcome(api.exchange(older));
    ASSERT_TRUE(apiError(late));
    EXPECT_EQ(apiError(late)->kind(), APIError::Kind::sessionChanged);
    EXPECT_FALSE(apiError(late)->userMessage(sites.persian));
    EXPECT_EQ(stored("session-zantiva.ir"), newest);
    EXPECT_EQ(session.snapshot()->token, "token-1");

    // The newer grant a second time fails at the site (codes are single-use) and leaves
    // the session it produced alone.
    EXPECT_TRUE(apiError(awaitOutcome(api.exchange(newer))));
    EXPECT_EQ(session.state(), AuthState::signedIn);
    EXPECT_EQ(stored("session-zantiva.ir"), newest);
}

TEST_F(SignIn, SignOutRemovesTheTokenAndRevokesTheSnapshotsSession) {
    signIn();
    const auto snapshot = session.signOut();
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->token, "token-1");
    EXPECT_FALSE(session.isAuthenticated());
    EXPECT_FALSE(session.accountName());
    EXPECT_FALSE(stored("session-zantiva.ir"));
    EXPECT_FALSE(session.signOut()) << "nothing left to sign out";

    SessionSnapshot unreachable = *snapshot;
    unreachable.site.baseURL = QUrl("http://127.0.0.1:1/");
    EXPECT_TRUE(awaitOutcome(api.revoke(unreachable)).value) << "revocation failures are not thrown";
}

TEST_F(SignIn, ASessionTheKeyringRefusesIsKeptInMemoryOnlyForTheActiveSite) {
    store.refuseWrites = true;
    signIn();
    EXPECT_TRUE(session.isAuthenticated());
    EXPECT_FALSE(stored("session-zantiva.ir"));

    // A sign-in for the site the user left can only live in the keyring: it fails.
    const QUrl page = session.beginSignIn(sites.english);
    const auto disposition = session.handle(website.signInInBrowser(page, "zantiva.com"));
    ASSERT_TRUE(disposition && std::holds_alternative<LinkAccepted>(*disposition));
    const auto outcome = awaitOutcome(api.exchange(std::get<LinkAccepted>(*disposition).grant));
    ASSERT_TRUE(outcome.error);
    EXPECT_THROW(std::rethrow_exception(outcome.error), KeychainError);
    EXPECT_EQ(session.state(), AuthState::signedIn) << "the sign-in ended; the active session stays";
    EXPECT_FALSE(stored("session-zantiva.com"));
}

TEST_F(SignIn, AStoredSessionLoadedLateNeverReplacesASignInCompletedMeanwhile) {
    awaitTask(store.write("session-zantiva.com", StoredSession{"older-token", 7}.encode()));
    store.holdReads = true;
    session.setLanguage(AppLanguage::english);
    EXPECT_FALSE(session.isAuthenticated()) << "signed out until the keyring answers";
    Awaited<void> ready;
    capture(session.ready(), ready);

    signIn();
    EXPECT_EQ(session.snapshot()->token, "token-1");
    EXPECT_FALSE(ready.done) << "the stored session is still being loaded";
    store.releaseRead();
    ASSERT_TRUE(runUntil([&] { return ready.done; }));
    EXPECT_EQ(session.snapshot()->token, "token-1");
}

} // namespace
