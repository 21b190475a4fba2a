#include "App/AccountModel.h"

#include <variant>

#include <QPointer>

#include "Account/APIError.h"
#include "App/BrowserOpening.h"
#include "Bridge/DetachedTask.h"
#include "Observation/ObservedValue.h"

namespace zantiva {

AccountModel::AccountModel(SessionManager& session, ZantivaAPIClient& api, const UrlOpener& openURL, StatusLine say,
                           QObject* parent)
    : QObject(parent), session_(session), api_(api), openURL_(openURL), say_(std::move(say)) {}

void AccountModel::setLoginPromptVisible(bool visible) {
    assignObserved(this, isLoginPromptVisible_, visible, &AccountModel::isLoginPromptVisibleChanged);
}

void AccountModel::setRefreshingAccount(bool refreshing) {
    assignObserved(this, isRefreshingAccount_, refreshing, &AccountModel::isRefreshingAccountChanged);
}

void AccountModel::openSignInPage() {
    const QUrl page = session_.beginSignIn(session_.activeSite());
    detach(openSignIn(page, ++signInPageSerial_));
}

QCoro::Task<> AccountModel::openSignIn(QUrl page, std::uint64_t serial) {
    const QPointer<AccountModel> self(this);
    auto opening = openURL_(page);
    const bool opened = co_await opening;
    // A later click, an accepted return link or a closed prompt owns the status line now.
    if (!self || serial != signInPageSerial_ || session_.state() != AuthState::authenticating) co_return;
    if (opened) {
        say_(LocalizedMessage("Login.ContinueInBrowser"));
        co_return;
    }
    // No browser will bring a return link: the prompt stops waiting for one.
    session_.cancelSignIn();
    say_(LocalizedMessage("Login.BrowserError", addressText(page)));
}

void AccountModel::openForgotPasswordPage() {
    detach(openOrSay(openURL_, session_.activeSite().lostPasswordURL(), "Login.BrowserError", this,
                     [this](LocalizedMessage failure) { say_(std::move(failure)); }));
}

void AccountModel::handleIncomingURL(const QUrl& url) {
    const auto disposition = session_.handle(url);
    if (!disposition) return;
    if (std::holds_alternative<LinkRejected>(*disposition)) return say_(LocalizedMessage("Auth.LinkNotExpected"));
    const auto* accepted = std::get_if<LinkAccepted>(&*disposition);
    if (!accepted) return; // no sign-in is pending
    emit activationRequested();
    ++signInPageSerial_; // the browser's answer for the page comes too late to tell anything
    say_(LocalizedMessage("Auth.CompletingSignIn"));
    signInSerial_ = accepted->grant.serial;
    detach(completeSignIn(accepted->grant));
}

QCoro::Task<> AccountModel::completeSignIn(SignInGrant grant) {
    const QPointer<AccountModel> self(this);
    std::optional<SignInOutcome> outcome;
    std::optional<LocalizedMessage> failure;
    try {
        auto exchanging = api_.exchange(grant);
        outcome = co_await exchanging;
    } catch (const APIError& error) {
        if (error.kind() == APIError::Kind::unreachable)
            failure = LocalizedMessage("Auth.SignInUnreachable", grant.site.domain);
        else if (error.kind() != APIError::Kind::sessionChanged)
            failure = LocalizedMessage("Auth.SignInFailed");
    } catch (const std::exception&) {
        failure = LocalizedMessage("Auth.SignInFailed");
    }
    // A link accepted after this one owns the prompt and the status line: however this
    // exchange ended, it is not told over the newer sign-in.
    if (!self || grant.serial != signInSerial_) co_return;
    if (!outcome) {
        if (failure) say_(std::move(failure));
        co_return;
    }
    setLoginPromptVisible(false);
    if (outcome->kind == SignInOutcome::Kind::storedForInactiveSite) {
        say_(LocalizedMessage("Auth.SignedInOtherSite", outcome->site.domain));
        co_return;
    }
    say_(std::nullopt);
    auto refreshing = refreshAccount();
    co_await refreshing;
}

void AccountModel::signOut() {
    const auto signedIn = session_.signOut();
    say_(std::nullopt);
    if (signedIn) detach(api_.revoke(*signedIn));
}

QCoro::Task<> AccountModel::refreshAccount() {
    if (!session_.isAuthenticated() || isRefreshingAccount_) co_return;
    setRefreshingAccount(true);
    const QPointer<AccountModel> self(this);
    const SiteProfile site = session_.activeSite();
    bool fetched = false;
    std::optional<LocalizedMessage> failure;
    try {
        auto fetching = api_.refreshAccount();
        co_await fetching;
        fetched = true;
    } catch (const APIError& error) {
        failure = error.userMessage(site); // none when the session changed meanwhile
    } catch (const std::exception&) {
        failure = LocalizedMessage("Main.AccountRefreshFailed");
    }
    if (!self) co_return;
    if (fetched) {
        say_(std::nullopt);
        emit refreshed();
    } else if (failure) {
        say_(std::move(failure));
    }
    setRefreshingAccount(false);
}

} // namespace zantiva
