#pragma once

// moc cannot read the C++20 concepts <coroutine> holds, and needs none of it.
#ifndef Q_MOC_RUN
#include <coroutine>
#endif
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QCoro/QCoroTask>
#include <QObject>
#include <QUrl>

#include "Account/LinkDisposition.h"
#include "Account/SecureTokenStore.h"
#include "Account/SessionSnapshot.h"
#include "Account/SiteProfile.h"
#include "Account/StoredSession.h"
#include "Localization/AppLanguage.h"

namespace zantiva {

// The account session of the active website, which follows the interface language: the
// stored token of that site, the browser sign-in waiting for its return link, and the
// code exchange under way. Each getter has a …Changed signal that fires only on a real
// change. Main thread only. Tokens stay in memory and in the token store; nothing here
// writes them to a file or a log line.
class SessionManager : public QObject {
    Q_OBJECT

public:
    // Starts loading the site's stored session and is signed out until it arrives (and
    // stays so when there is none or it can't be read). Reads nothing before it returns.
    SessionManager(SiteProfile site, SecureTokenStore& store, SiteDirectory sites = SiteDirectory::production(),
                   QObject* parent = nullptr);

    const SiteProfile& activeSite() const { return activeSite_; }
    bool isAuthenticated() const { return session_.has_value(); }
    AuthState state() const;
    // The signed-in account's user name, once a sign-in or an account refresh told it.
    const std::optional<std::string>& accountName() const { return accountName_; }
    // Completes once the active site's stored session has been loaded.
    QCoro::Task<> ready();
    // Gives up the load under way: its callers of ready() go on at once with the session as
    // it is, and the load's late answer is ignored. The owner of those callers does this
    // while it is still whole, before it goes: a load that answers after the event loop
    // stopped resumes nobody.
    void close();

    // Makes the language's site active. On a change of site the session in memory is
    // forgotten at once and that site's stored one is loaded (ready()); a sign-in under way
    // keeps going for its own site.
    void setLanguage(AppLanguage language);

    // Starts a browser sign-in on the site (the active one when absent): a new verifier and
    // state replace any earlier pending sign-in. Returns the sign-in page's address.
    QUrl beginSignIn(const std::optional<SiteProfile>& site = std::nullopt);
    // Drops the sign-in that waits for its return link.
    void cancelSignIn();
    // Absent for a link that is not a sign-in link ("zantiva://auth…"). An accepted link
    // uses up the pending sign-in, so the same link a second time is ignored.
    std::optional<LinkDisposition> handle(const QUrl& url);
    // Forgets the session at once and starts removing the active site's stored token; the
    // snapshot of the session that was signed in, for revoking it at the site.
    std::optional<SessionSnapshot> signOut();

    // ---- for the API client ----

    // The session a call starts with; absent when signed out.
    std::optional<SessionSnapshot> snapshot() const;
    // Whether the session is still the one of the snapshot (same site, not signed out or
    // replaced since).
    bool isCurrent(const SessionSnapshot& snapshot) const;

    enum class SignInResult { activated, storedForInactiveSite, superseded };
    // Stores the exchanged session for the grant's site and, when that site is active once
    // stored, signs in. Superseded (not signed in) when a later link was accepted after
    // this grant's, or this grant was already completed. KeychainError when the session
    // can't be stored for a site that is not active (an active one is kept in memory for
    // this run).
    QCoro::Task<SignInResult> completeSignIn(SignInGrant grant, StoredSession session,
                                             std::optional<std::string> accountName);
    // The grant's exchange failed: unless a later link superseded it, the sign-in ends.
    void failSignIn(const SignInGrant& grant);
    // A refresh told the account's name; ignored when the session changed meanwhile.
    void setAccountName(const SessionSnapshot& snapshot, std::string name);
    // The site no longer accepts the snapshot's token: the session ends as by a sign-out.
    void expire(const SessionSnapshot& snapshot);

signals:
    void activeSiteChanged();
    void isAuthenticatedChanged();
    void stateChanged();
    void accountNameChanged();

private:
    struct PendingSignIn {
        SiteProfile site;
        std::string state;
        std::string verifier;
    };

    struct LoadEnd;

    template <typename Change> void change(Change&& mutate);
    void startLoading();
    QCoro::Task<> load(std::uint64_t generation);
    void resumeWaiters();
    void endSession();
    void forgetSession();

    SecureTokenStore& store_;
    SiteDirectory sites_;
    SiteProfile activeSite_;
    std::optional<StoredSession> session_;
    std::optional<std::string> accountName_;
    std::uint64_t generation_ = 0;
    std::optional<std::uint64_t> loading_; // generation the running load started in
    std::vector<std::coroutine_handle<>> waiting_; // callers of ready() until that load ends
    std::optional<PendingSignIn> pending_;
    std::optional<std::uint64_t> exchanging_; // serial of the grant whose exchange runs
    std::uint64_t lastSerial_ = 0;
};

} // namespace zantiva
