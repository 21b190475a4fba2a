// The session manager on its own: which links it accepts, what it loads per site and when
// it tells its observers.

#include <gtest/gtest.h>

#include <QUrlQuery>

#include "../../Support/AwaitTask.h"
#include "Account/InMemoryTokenStore.h"
#include "Account/PKCE.h"
#include "Account/SessionManager.h"
#include "ScriptedTokenStore.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

const SiteDirectory sites = SiteDirectory::production();

QUrl returnLink(const QUrl& signInPage, const std::string& site, const QString& extra = {}) {
    QUrl link("zantiva://auth?code=abc&state=" + QUrlQuery(signInPage).queryItemValue("state") +
              "&site=" + QString::fromStdString(site) + extra);
    return link;
}

std::optional<LinkRejection> rejection(const std::optional<LinkDisposition>& disposition) {
    if (!disposition) return std::nullopt;
    const auto* rejected = std::get_if<LinkRejected>(&*disposition);
    return rejected ? std::optional(rejected->reason) : std::nullopt;
}

class Session : public ::testing::Test {
protected:
    InMemoryTokenStore store;
    SessionManager session{sites.persian, store, sites};
};

TEST_F(Session, OnlySignInLinksAreHandledAndOnlyWhileASignInIsPending) {
    EXPECT_FALSE(session.handle(QUrl("https://zantiva.ir/my-account/?code=abc")));
    EXPECT_FALSE(session.handle(QUrl("zantiva://washer?code=abc")));
    EXPECT_EQ(session.handle(QUrl("zantiva://auth?code=abc&state=x&site=zantiva.ir")),
              (std::optional<LinkDisposition>(LinkIgnored{})));
    EXPECT_EQ(session.handle(QUrl("ZANTIVA://AUTH?code=abc")), (std::optional<LinkDisposition>(LinkIgnored{})));
}

TEST_F(Session, RefusedLinksKeepThePendingSignIn) {
    const QUrl page = session.beginSignIn();
    EXPECT_EQ(rejection(session.handle(returnLink(page, "zantiva.ir", "&token=stolen"))), LinkRejection::carriesToken);
    EXPECT_EQ(rejection(session.handle(QUrl("zantiva://auth#access_token=stolen"))), LinkRejection::carriesToken);
    EXPECT_EQ(rejection(session.handle(QUrl("zantiva://auth?code=abc&state=guess&site=zantiva.ir"))),
              LinkRejection::stateMismatch);
    EXPECT_EQ(rejection(session.handle(returnLink(page, "zantiva.com"))), LinkRejection::wrongSite);
    EXPECT_EQ(rejection(session.handle(QUrl("zantiva://auth?state=" + QUrlQuery(page).queryItemValue("state") +
                                            "&site=zantiva.ir"))),
              LinkRejection::missingCode);
    EXPECT_EQ(session.state(), AuthState::authenticating);

    const auto accepted = session.handle(returnLink(page, "zantiva.ir"));
    ASSERT_TRUE(accepted && std::holds_alternative<LinkAccepted>(*accepted));
    const SignInGrant& grant = std::get<LinkAccepted>(*accepted).grant;
    EXPECT_EQ(grant.site, sites.persian);
    EXPECT_EQ(grant.code, "abc");
    EXPECT_EQ(PKCE::challenge(grant.verifier), QUrlQuery(page).queryItemValue("code_challenge").toStdString());
}

TEST_F(Session, ANewSignInReplacesTheEarlierOneAndCancelEndsIt) {
    const QUrl first = session.beginSignIn();
    const QUrl second = session.beginSignIn();
    EXPECT_NE(QUrlQuery(first).queryItemValue("state"), QUrlQuery(second).queryItemValue("state"));
    EXPECT_EQ(rejection(session.handle(returnLink(first, "zantiva.ir"))), LinkRejection::stateMismatch);

    int stateChanges = 0;
    QObject::connect(&session, &SessionManager::stateChanged, [&] { ++stateChanges; });
    session.cancelSignIn();
    session.cancelSignIn();
    EXPECT_EQ(stateChanges, 1);
    EXPECT_EQ(session.state(), AuthState::signedOut);
    EXPECT_EQ(session.handle(returnLink(second, "zantiva.ir")), (std::optional<LinkDisposition>(LinkIgnored{})));
}

TEST(SessionStore, EachSiteLoadsItsOwnStoredSession) {
    InMemoryTokenStore store;
    awaitTask(store.write("session-zantiva.com", StoredSession{"english-token", 3}.encode()));
    awaitTask(store.write("session-zantiva.ir", "not a stored session"));
    SessionManager session(sites.persian, store, sites);
    awaitTask(session.ready());
    EXPECT_FALSE(session.isAuthenticated()) << "an unreadable secret counts as signed out";

    int siteChanges = 0, authChanges = 0;
    QObject::connect(&session, &SessionManager::activeSiteChanged, [&] { ++siteChanges; });
    QObject::connect(&session, &SessionManager::isAuthenticatedChanged, [&] { ++authChanges; });
    session.setLanguage(AppLanguage::persian);
    EXPECT_EQ(siteChanges, 0);
    session.setLanguage(AppLanguage::english);
    awaitTask(session.ready());
    EXPECT_EQ(siteChanges, 1);
    EXPECT_EQ(authChanges, 1);
    EXPECT_EQ(session.state(), AuthState::signedIn);
    ASSERT_TRUE(session.snapshot());
    EXPECT_EQ(session.snapshot()->token, "english-token");
    EXPECT_EQ(session.snapshot()->userId, 3);

    const auto before = *session.snapshot();
    session.setLanguage(AppLanguage::persian);
    session.setLanguage(AppLanguage::english);
    awaitTask(session.ready());
    EXPECT_FALSE(session.isCurrent(before)) << "a session left and loaded again is a new session";
}

TEST(SessionStore, ALoadAnsweredAfterASiteSwitchInstallsNothing) {
    ScriptedTokenStore store;
    awaitTask(store.write("session-zantiva.ir", StoredSession{"persian-token", 3}.encode()));
    awaitTask(store.write("session-zantiva.com", StoredSession{"english-token", 4}.encode()));
    store.holdReads = true;
    SessionManager session(sites.persian, store, sites);
    EXPECT_FALSE(session.isAuthenticated()) << "signed out while the keyring is silent";
    Awaited<void> ready;
    capture(session.ready(), ready);

    // Loads for Persian, English and Persian again, none answered yet.
    session.setLanguage(AppLanguage::english);
    session.setLanguage(AppLanguage::persian);
    ASSERT_EQ(store.heldReads(), 3u);
    for (int answered = 1; answered <= 2; ++answered) {
        store.releaseRead();
        ASSERT_TRUE(runUntil([&] { return store.answeredReads() == answered; }));
        EXPECT_FALSE(session.isAuthenticated()) << "load " << answered << " was superseded";
        EXPECT_FALSE(ready.done);
    }
    store.releaseRead();
    ASSERT_TRUE(runUntil([&] { return ready.done; }));
    EXPECT_EQ(session.snapshot()->token, "persian-token");
}
} // namespace
