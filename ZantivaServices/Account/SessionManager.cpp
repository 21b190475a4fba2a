#include "Account/SessionManager.h"

#include <QUrlQuery>

#include "Account/PKCE.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

constexpr std::string_view category = "session";

std::string queryValue(const QUrlQuery& query, const char* name) {
    return query.queryItemValue(name, QUrl::FullyDecoded).toStdString();
}

} // namespace

SessionManager::SessionManager(SiteProfile site, SecureTokenStore& store, SiteDirectory sites, QObject* parent)
    : QObject(parent), store_(store), sites_(std::move(sites)), activeSite_(std::move(site)) {
    session_ = load(activeSite_);
}

AuthState SessionManager::state() const {
    if (pending_ || exchanging_) return AuthState::authenticating;
    return session_ ? AuthState::signedIn : AuthState::signedOut;
}

// Runs the change, then tells the observers of each value that really changed.
template <typename Change> void SessionManager::change(Change&& mutate) {
    const SiteProfile site = activeSite_;
    const bool authenticated = isAuthenticated();
    const AuthState before = state();
    const auto name = accountName_;
    mutate();
    if (activeSite_ != site) emit activeSiteChanged();
    if (isAuthenticated() != authenticated) emit isAuthenticatedChanged();
    if (state() != before) emit stateChanged();
    if (accountName_ != name) emit accountNameChanged();
}

std::optional<StoredSession> SessionManager::load(const SiteProfile& site) const {
    try {
        const auto secret = store_.read(site.keychainAccount());
        if (!secret) return std::nullopt;
        auto session = StoredSession::decode(*secret);
        if (!session) log::error(category, "the stored session for " + site.domain + " is unreadable; signed out");
        return session;
    } catch (const KeychainError& error) {
        log::error(category, "couldn't load the session for " + site.domain + ": " + error.what());
        return std::nullopt;
    }
}

void SessionManager::removeStored(const SiteProfile& site) {
    try {
        store_.remove(site.keychainAccount());
    } catch (const KeychainError& error) {
        log::error(category, "couldn't remove the session for " + site.domain + ": " + error.what());
    }
}

void SessionManager::forgetSession() {
    session_.reset();
    accountName_.reset();
    ++generation_;
}

// The stored session is read at construction and at each change of site, before it
// takes effect, so it is always loaded.
QCoro::Task<> SessionManager::ready() { co_return; }

void SessionManager::setLanguage(AppLanguage language) {
    const SiteProfile& site = sites_.forLanguage(language);
    if (site == activeSite_) return;
    // Read before changing anything: the keyring answers through the event loop, and other
    // work that runs meanwhile must see a whole state.
    auto stored = load(site);
    change([&] {
        activeSite_ = site;
        forgetSession();
        session_ = std::move(stored);
    });
}

QUrl SessionManager::beginSignIn(const std::optional<SiteProfile>& site) {
    PendingSignIn pending{site.value_or(activeSite_), PKCE::randomToken(), PKCE::randomToken()};
    const QUrl url = pending.site.signInURL(pending.state, PKCE::challenge(pending.verifier));
    change([&] { pending_ = std::move(pending); });
    return url;
}

void SessionManager::cancelSignIn() {
    change([&] { pending_.reset(); });
}

std::optional<LinkDisposition> SessionManager::handle(const QUrl& url) {
    if (url.scheme().compare("zantiva", Qt::CaseInsensitive) != 0 ||
        url.host().compare("auth", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    if (!pending_) return LinkIgnored{};

    const QUrlQuery query(url);
    const QUrlQuery fragment(url.fragment(QUrl::FullyEncoded));
    for (const char* name : {"token", "access_token"})
        if (query.hasQueryItem(name) || fragment.hasQueryItem(name)) return LinkRejected{LinkRejection::carriesToken};
    if (queryValue(query, "state") != pending_->state) return LinkRejected{LinkRejection::stateMismatch};
    if (queryValue(query, "site") != pending_->site.domain) return LinkRejected{LinkRejection::wrongSite};
    std::string code = queryValue(query, "code");
    if (code.empty()) return LinkRejected{LinkRejection::missingCode};

    SignInGrant grant{pending_->site, std::move(code), pending_->verifier, ++lastSerial_};
    change([&] {
        pending_.reset();
        exchanging_ = grant.serial;
    });
    return LinkAccepted{std::move(grant)};
}

std::optional<SessionSnapshot> SessionManager::signOut() {
    const auto signedIn = snapshot();
    removeStored(activeSite_);
    change([&] { forgetSession(); });
    return signedIn;
}

std::optional<SessionSnapshot> SessionManager::snapshot() const {
    if (!session_) return std::nullopt;
    return SessionSnapshot{activeSite_, session_->token, session_->userId, generation_};
}

bool SessionManager::isCurrent(const SessionSnapshot& snapshot) const {
    return session_ && snapshot.generation == generation_ && snapshot.site == activeSite_;
}

SessionManager::SignInResult SessionManager::completeSignIn(const SignInGrant& grant, const StoredSession& session,
                                                            std::optional<std::string> accountName) {
    if (exchanging_ != grant.serial) return SignInResult::superseded;
    try {
        store_.write(grant.site.keychainAccount(), session.encode());
    } catch (const KeychainError& error) {
        log::error(category, "couldn't store the session for " + grant.site.domain + ": " + error.what());
        if (grant.site != activeSite_) {
            change([&] { exchanging_.reset(); });
            throw;
        }
    }
    // Another link may have been accepted while the keyring stored this one.
    if (exchanging_ != grant.serial) return SignInResult::superseded;
    const bool active = grant.site == activeSite_;
    change([&] {
        exchanging_.reset();
        if (active) {
            session_ = session;
            accountName_ = std::move(accountName);
            ++generation_;
        }
    });
    return active ? SignInResult::activated : SignInResult::storedForInactiveSite;
}

void SessionManager::failSignIn(const SignInGrant& grant) {
    if (exchanging_ != grant.serial) return;
    change([&] { exchanging_.reset(); });
}

void SessionManager::setAccountName(const SessionSnapshot& snapshot, std::string name) {
    if (!isCurrent(snapshot)) return;
    change([&] { accountName_ = std::move(name); });
}

void SessionManager::expire(const SessionSnapshot& snapshot) {
    if (!isCurrent(snapshot)) return;
    log::info(category, "the session for " + snapshot.site.domain + " is no longer accepted; signed out");
    removeStored(activeSite_);
    change([&] { forgetSession(); });
}

} // namespace zantiva
