// Sign-in, sign-out and the account refresh through the app model, against the loopback
// websites.

#include <gtest/gtest.h>

#include <algorithm>

#include <QUrlQuery>

#include "../Support/ProcessState.h"
#include "App/DesktopOpener.h"
#include "AppModelFixture.h"
#include "StandInOpener.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

class AccountFlow : public AppModelFixture {
protected:
    int answered = 0; // by the desktop's opener

    // A model that opens pages with the program's own opener (xdg-open on PATH).
    AppModel& withDesktopOpener() {
        AppModelSetup withOpener = setup();
        withOpener.openURL = [this, open = desktopOpener()](QUrl url) -> QCoro::Task<bool> {
            opened.push_back(url);
            auto opening = open(url);
            const bool answer = co_await opening;
            ++answered;
            co_return answer;
        };
        return makeModel(std::move(withOpener));
    }
};

std::string addressText(const QUrl& url) { return url.toString(QUrl::FullyEncoded).toStdString(); }

// The link with one query item replaced (or added).
QUrl withItem(QUrl link, const char* item, const char* value) {
    QUrlQuery query(link);
    query.removeQueryItem(item);
    query.addQueryItem(item, value);
    link.setQuery(query);
    return link;
}

TEST_F(AccountFlow, SignInFromTheBrowserToARefreshedAccount) {
    makeModel();
    int activations = 0;
    QObject::connect(&model->account(), &AccountModel::activationRequested, [&] { ++activations; });
    model->setLoginPromptVisible(true);

    model->account().openSignInPage();
    EXPECT_EQ(model->status(), LocalizedMessage("Login.ContinueInBrowser"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(model->account().isLoginPromptVisible()) << "the prompt waits for the return";

    model->account().handleIncomingURL(returnLink(persianSite, "zantiva.ir"));
    EXPECT_EQ(model->status(), LocalizedMessage("Auth.CompletingSignIn"));
    EXPECT_EQ(activations, 1);
    ASSERT_TRUE(signInSettled());
    EXPECT_TRUE(model->session().isAuthenticated());
    EXPECT_EQ(model->session().accountName(), "sara");
    EXPECT_FALSE(model->account().isLoginPromptVisible());
    EXPECT_FALSE(model->status());
    EXPECT_EQ(persianServer.count("user-points"), 1);
    ASSERT_TRUE(runUntil([&] { return persianServer.count("device") == 1; }));
}

TEST_F(AccountFlow, ABrowserThatDoesNotOpenShowsTheAddress) {
    makeModel();
    browserOpens = false;
    model->account().openSignInPage();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(model->status(), LocalizedMessage("Login.BrowserError", addressText(opened[0])));
    EXPECT_EQ(model->session().state(), AuthState::signedOut) << "nothing waits for a browser that didn't open";

    model->account().openForgotPasswordPage();
    const std::string lostPassword = sites.persian.baseURL.toString().toStdString() + "my-account/lost-password/";
    EXPECT_EQ(opened.back(), QUrl(QString::fromStdString(lostPassword)));
    EXPECT_EQ(model->status(), LocalizedMessage("Login.BrowserError", lostPassword));

    browserOpens = true;
    model->setStatus(std::nullopt);
    model->account().openForgotPasswordPage();
    EXPECT_FALSE(model->status());
}

// The desktop's opener tells whether the browser opened: a stand-in xdg-open that fails, then
// one that succeeds.
TEST_F(AccountFlow, TheDesktopsOpenerDecidesWhatThePromptSays) {
    withDesktopOpener();
    model->setLoginPromptVisible(true);
    {
        const StandInOpener failing("exit 3");
        model->account().openSignInPage();
        ASSERT_TRUE(runUntil([&] { return answered == 1; }));
        EXPECT_EQ(model->status(), LocalizedMessage("Login.BrowserError", addressText(opened.back())));
        EXPECT_EQ(model->session().state(), AuthState::signedOut) << "the prompt still waits for the browser";
        EXPECT_TRUE(model->account().isLoginPromptVisible());
        EXPECT_EQ(failing.calls(), std::vector{"[" + addressText(opened[0]) + "]"});
    }
    const StandInOpener succeeding("exit 0");
    model->account().openSignInPage();
    ASSERT_TRUE(runUntil([&] { return answered == 2; }));
    EXPECT_EQ(model->status(), LocalizedMessage("Login.ContinueInBrowser"));
    model->account().handleIncomingURL(returnLink(persianSite, "zantiva.ir"));
    ASSERT_TRUE(signInSettled());
    EXPECT_TRUE(model->session().isAuthenticated());
}

// The browser answers after the person has moved on: a closed prompt, a second click, a return
// link that already came. Only the latest click's answer is told, and only while it waits.
TEST_F(AccountFlow, ALateAnswerOfTheOpenerDoesNotSpeakOverWhatFollowed) {
    withDesktopOpener();
    const StandInOpener failing("exit 3");
    std::vector<std::optional<LocalizedMessage>> statuses;
    QObject::connect(model.get(), &AppModel::statusChanged, [&] { statuses.push_back(model->status()); });

    model->account().openSignInPage();
    model->session().cancelSignIn(); // the prompt was closed
    model->account().openSignInPage();
    model->account().openSignInPage();
    ASSERT_TRUE(runUntil([&] { return answered == 3; }));
    EXPECT_EQ(statuses, (std::vector<std::optional<LocalizedMessage>>{
                            LocalizedMessage("Login.BrowserError", addressText(opened.back()))}));

    statuses.clear();
    model->account().openSignInPage();
    model->account().handleIncomingURL(returnLink(persianSite, "zantiva.ir"));
    ASSERT_TRUE(runUntil([&] { return answered == 4; }));
    ASSERT_TRUE(signInSettled());
    EXPECT_TRUE(model->session().isAuthenticated());
    EXPECT_EQ(statuses, (std::vector<std::optional<LocalizedMessage>>{LocalizedMessage("Auth.CompletingSignIn"),
                                                                      std::nullopt}));
}

TEST_F(AccountFlow, LinksThatAreNotTheAwaitedOneChangeNothingButTheStatus) {
    makeModel();
    model->account().handleIncomingURL(QUrl("zantiva://auth?code=c&state=s&site=zantiva.ir"));
    model->account().handleIncomingURL(QUrl("https://zantiva.ir/my-account/"));
    EXPECT_FALSE(model->status()) << "no sign-in pending, or not a sign-in link";

    model->account().openSignInPage();
    const QUrl link = returnLink(persianSite, "zantiva.ir");
    for (const QUrl& refused :
         {withItem(link, "state", "forged"), withItem(link, "site", "zantiva.com"), withItem(link, "token", "t")}) {
        model->setStatus(std::nullopt);
        model->account().handleIncomingURL(refused);
        EXPECT_EQ(model->status(), LocalizedMessage("Auth.LinkNotExpected")) << refused.toString().toStdString();
    }
    EXPECT_EQ(persianServer.count("desktop-token"), 0);
    EXPECT_FALSE(model->session().isAuthenticated());
}

TEST_F(AccountFlow, ASupersededSignInIsNotReportedOverTheNewerOne) {
    makeModel();
    std::vector<std::optional<LocalizedMessage>> statuses;
    QObject::connect(model.get(), &AppModel::statusChanged, [&] { statuses.push_back(model->status()); });
    model->account().openSignInPage();
    model->account().handleIncomingURL(returnLink(persianSite, "zantiva.ir"));
    // The user clicks Sign In again before the first exchange has answered.
    model->account().openSignInPage();
    model->account().handleIncomingURL(returnLink(persianSite, "zantiva.ir"));

    ASSERT_TRUE(signInSettled());
    // Each exchange runs in a request program of its own, so the older one may reach the site
    // after the newer one has ended: wait until both have, and the older one's answer was heard.
    ASSERT_TRUE(runUntil([&] { return persianServer.count("desktop-token") == 2 && !hasChildProcesses(); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(model->session().isAuthenticated());
    EXPECT_FALSE(model->status());
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), LocalizedMessage("Auth.SignInFailed")), 0)
        << "the older exchange's end was told";
}

TEST_F(AccountFlow, AFailedExchangeKeepsThePromptAndSaysWhy) {
    // A code the site does not know.
    makeModel();
    model->setLoginPromptVisible(true);
    model->account().openSignInPage();
    model->account().handleIncomingURL(withItem(returnLink(persianSite, "zantiva.ir"), "code", "forged"));
    ASSERT_TRUE(signInSettled());
    EXPECT_EQ(model->status(), LocalizedMessage("Auth.SignInFailed"));
    EXPECT_TRUE(model->account().isLoginPromptVisible());

    // A site that can't be reached (nothing listens on port 1).
    sites.persian = {"zantiva.ir", QUrl("http://127.0.0.1:1/")};
    makeModel();
    model->account().openSignInPage();
    model->account().handleIncomingURL(returnLink(persianSite, "zantiva.ir"));
    ASSERT_TRUE(signInSettled());
    EXPECT_EQ(model->status(), LocalizedMessage("Auth.SignInUnreachable", "zantiva.ir"));
    EXPECT_EQ(model->session().state(), AuthState::signedOut);
}

TEST_F(AccountFlow, SignInForTheSiteTheUserSwitchedAwayFromIsKeptForIt) {
    makeModel();
    model->setLoginPromptVisible(true);
    model->account().openSignInPage();
    model->setLanguage(AppLanguage::english);
    model->account().handleIncomingURL(returnLink(persianSite, "zantiva.ir"));
    ASSERT_TRUE(signInSettled());
    EXPECT_EQ(model->status(), LocalizedMessage("Auth.SignedInOtherSite", "zantiva.ir"));
    EXPECT_FALSE(model->account().isLoginPromptVisible());
    EXPECT_FALSE(model->session().isAuthenticated()) << "the English site stays signed out";
    EXPECT_EQ(persianServer.count("user-points") + englishServer.count("user-points"), 0);

    // Switching back refreshes the account kept for it.
    model->setLanguage(AppLanguage::persian);
    ASSERT_TRUE(runUntil([&] { return persianServer.count("user-points") == 1 && !model->isRefreshingAccount(); }));
    EXPECT_EQ(model->session().accountName(), "sara");
}

TEST_F(AccountFlow, ARefusedTokenEndsTheSessionWithItsMessage) {
    signedInEarlier(AppLanguage::persian);
    persianSite.expireAllTokens();
    makeModel();
    awaitTask(model->start());
    EXPECT_EQ(model->status(), LocalizedMessage("Main.SessionExpired"));
    EXPECT_FALSE(model->session().isAuthenticated());
    EXPECT_FALSE(model->isRefreshingAccount());

    // Signed out now: a refresh does nothing at all.
    int flips = 0;
    QObject::connect(&model->account(), &AccountModel::isRefreshingAccountChanged, [&] { ++flips; });
    awaitTask(model->refreshAccount());
    EXPECT_EQ(flips, 0);
    EXPECT_EQ(persianServer.count("user-points"), 1);
}

TEST_F(AccountFlow, SignOutRevokesTheSessionAtTheSite) {
    signedInEarlier(AppLanguage::persian);
    makeModel();
    model->setStatus(LocalizedMessage("Main.LoadingSpecs"));
    model->signOut();
    EXPECT_FALSE(model->session().isAuthenticated());
    EXPECT_FALSE(model->status());
    ASSERT_TRUE(runUntil([&] { return persianServer.count("desktop-logout") == 1; }));
    EXPECT_EQ(persianServer.requests().back().header("authorization"), "Bearer token-1");
}

} // namespace
