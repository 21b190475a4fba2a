#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
    // Loads the site's stored session (signed out when there is none or it can't be read).
    SessionManager(SiteProfile site, SecureTokenStore& store, SiteDirectory sites = SiteDirectory::production(),
                   QObject* parent = nullptr);

    const SiteProfile& activeSite() const { return activeSite_; }
    bool isAuthenticated() const { return session_.has_value(); }
    AuthState state() const;
    // The signed-in account's user name, once a sign-in or an account refresh told it.
    const std::optional<std::string>& accountName() const { return accountName_; }
    // Completes once the active site's stored session has been loaded.
    QCoro::Task<> ready();

    // Makes the language's site active. On a change of site the session in memory is
    // replaced by that site's stored one; a sign-in under way keeps going for its own site.
    void setLanguage(AppLanguage language);

    // Starts a browser sign-in on the site (the active one when absent): a new verifier and
    // state replace any earlier pending sign-in. Returns the sign-in page's address.
    QUrl beginSignIn(const std::optional<SiteProfile>& site = std::nullopt);
    // Drops the sign-in that waits for its return link.
    void cancelSignIn();
    // Absent for a link that is not a sign-in link ("zantiva://auth…"). An accepted link
    // uses up the pending sign-in, so the same link a second time is ignored.
    std::optional<LinkDisposition> handle(const QUrl& url);
    // Removes the active site's stored token and forgets the session; the snapshot of the
    // session that was signed in, for revoking it at the site.
    std::optional<SessionSnapshot> signOut();

    // ---- for the API client ----

    // The session a call starts with; absent when signed out.
    std::optional<SessionSnapshot> snapshot() const;
    // Whether the session is still the one of the snapshot (same site, not signed out or
    // replaced since).
    bool isCurrent(const SessionSnapshot& snapshot) const;

    enum class SignInResult { activated, storedForInactiveSite, superseded };
    // Stores the exchanged session for the grant's site and, when that site is active,
    // signs in. Superseded (not signed in) when a later link was accepted after this
    // grant's, or this grant was already completed. KeychainError when the session can't
    // be stored for a site that is not active (an active one is kept in memory).
    SignInResult completeSignIn(const SignInGrant& grant, const StoredSession& session,
                                std::optional<std::string> accountName);
    // The grant's exchange failed: unless a later link superseded it, the sign-in ends.
    void failSignIn(const SignInGrant& grant);
    // A refresh told the account's name; ignored when the session changed meanwhile.
    void setAccountName(const SessionSnapshot& snapshot, std::string name);
    // The site no longer accepts the snapshot's token: it is removed as by a sign-out.
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

    template <typename Change> void change(Change&& mutate);
    std::optional<StoredSession> load(const SiteProfile& site) const;
    void removeStored(const SiteProfile& site);
    void forgetSession();

    SecureTokenStore& store_;
    SiteDirectory sites_;
    SiteProfile activeSite_;
    std::optional<StoredSession> session_;
    std::optional<std::string> accountName_;
    std::uint64_t generation_ = 0;
    std::optional<PendingSignIn> pending_;
    std::optional<std::uint64_t> exchanging_; // serial of the grant whose exchange runs
    std::uint64_t lastSerial_ = 0;
};

} // namespace zantiva
