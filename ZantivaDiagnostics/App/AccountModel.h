#pragma once

#include <QCoro/QCoroTask>
#include <QObject>
#include <QUrl>

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <cstdint>
#include <functional>
#include <optional>
#include "Account/SessionManager.h"
#include "Account/ZantivaAPIClient.h"
#include "Localization/LocalizedMessage.h"
#include "ExternalRun/UrlOpener.h"
#endif

namespace zantiva {

// The account's side of the window: the sign-in through the browser and the link it comes
// back with, the lost-password page, sign-out and the refresh of the signed-in account, with
// the sign-in prompt and the refresh under way. What it has to tell goes to the status line
// through say. Every getter has a …Changed signal that fires only on a real change. Main
// thread only.
class AccountModel : public QObject {
    Q_OBJECT

public:
    using StatusLine = std::function<void(std::optional<LocalizedMessage>)>;

    AccountModel(SessionManager& session, ZantivaAPIClient& api, const UrlOpener& openURL, StatusLine say,
                 QObject* parent = nullptr);

    bool isRefreshingAccount() const { return isRefreshingAccount_; }
    bool isLoginPromptVisible() const { return isLoginPromptVisible_; }
    void setLoginPromptVisible(bool visible);

    // The browser's answer comes later: a sign-in page it couldn't open ends that sign-in, and
    // the status line shows the address to copy.
    void openSignInPage();
    void openForgotPasswordPage();
    // Every link the desktop opens in the program ("zantiva://auth…" completes a sign-in).
    void handleIncomingURL(const QUrl& url);
    void signOut();
    // Fetches the signed-in account, then says refreshed(). Does nothing when signed out or
    // while a refresh runs.
    QCoro::Task<> refreshAccount();

signals:
    void isRefreshingAccountChanged();
    void isLoginPromptVisibleChanged();
    // An accepted sign-in link: the window comes to the front.
    void activationRequested();
    // The signed-in account was fetched: whatever changed since the last upload goes up now.
    void refreshed();

private:
    void setRefreshingAccount(bool refreshing);
    QCoro::Task<> openSignIn(QUrl page, std::uint64_t serial);
    QCoro::Task<> completeSignIn(SignInGrant grant);

    SessionManager& session_;
    ZantivaAPIClient& api_;
    const UrlOpener& openURL_;
    StatusLine say_;
    std::uint64_t signInSerial_ = 0; // the latest accepted sign-in link's
    std::uint64_t signInPageSerial_ = 0; // the latest sign-in page's that the browser was asked to open
    bool isRefreshingAccount_ = false;
    bool isLoginPromptVisible_ = false;
};

} // namespace zantiva
