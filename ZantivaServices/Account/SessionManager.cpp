#include "Account/SessionManager.h"

#include <utility>

#include <QPointer>
#include <QUrlQuery>

#include "Account/PKCE.h"
#include "Observation/ObservedValue.h"
#include "Platform/Log.h"
#include "Bridge/DetachedTask.h"

namespace zantiva {
namespace {

constexpr std::string_view category = "session";

std::string queryValue(const QUrlQuery& query, const char* name) {
    return query.queryItemValue(name, QUrl::FullyDecoded).toStdString();
}

// The site's stored session; absent when there is none or it can't be read.
QCoro::Task<std::optional<StoredSession>> readStored(SecureTokenStore& store, SiteProfile site) {
    try {
        auto read = store.read(site.keychainAccount());
        const auto secret = co_await read;
        if (!secret) co_return std::nullopt;
        auto session = StoredSession::decode(*secret);
        if (!session) log::error(category, "the stored session for " + site.domain + " is unreadable; signed out");
        co_return session;
    } catch (const KeychainError& error) {
        log::error(category, "couldn't load the session for " + site.domain + ": " + error.what() + "; signed out");
        co_return std::nullopt;
    }
}

// Needs nothing of the session manager, so it may outlive it.
QCoro::Task<> removeStored(SecureTokenStore& store, SiteProfile site) {
    try {
        auto removal = store.remove(site.keychainAccount());
        co_await removal;
    } catch (const KeychainError& error) {
        log::error(category, "couldn't remove the session for " + site.domain + ": " + error.what());
    }
}

} // namespace

// Suspends its coroutine until the running load has ended.
struct SessionManager::LoadEnd {
    SessionManager& manager;
    bool await_ready() const noexcept { return !manager.loading_; }
    void await_suspend(std::coroutine_handle<> waiter) { manager.waiting_.push_back(waiter); }
    void await_resume() const noexcept {}
};

SessionManager::SessionManager(SiteProfile site, SecureTokenStore& store, SiteDirectory sites, QObject* parent)
    : QObject(parent), store_(store), sites_(std::move(sites)), activeSite_(std::move(site)) {
    startLoading();
}

QCoro::Task<> SessionManager::ready() {
    LoadEnd loaded{*this};
    co_await loaded;
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
    emitIfChanged(this, site, activeSite_, &SessionManager::activeSiteChanged);
    emitIfChanged(this, authenticated, isAuthenticated(), &SessionManager::isAuthenticatedChanged);
    emitIfChanged(this, before, state(), &SessionManager::stateChanged);
    emitIfChanged(this, name, accountName_, &SessionManager::accountNameChanged);
}

// Loads the active site's stored session for the current generation; an earlier load
// still running is superseded.
void SessionManager::startLoading() {
    loading_ = generation_;
    detach(load(generation_));
}

QCoro::Task<> SessionManager::load(std::uint64_t generation) {
    const QPointer<SessionManager> alive(this);
    auto read = readStored(store_, activeSite_);
    auto stored = co_await read;
    if (!alive || loading_ != generation) co_return; // gone, or another site's load took over
    loading_.reset();
    // A sign-in, sign-out or expiry meanwhile is newer than what was stored.
    if (generation_ == generation && stored) change([&] {
        session_ = std::move(stored);
        ++generation_;
    });
    resumeWaiters();
}

void SessionManager::close() {
    loading_.reset();
    resumeWaiters();
}

void SessionManager::resumeWaiters() {
    for (const auto waiter : std::exchange(waiting_, {})) waiter.resume();
}

void SessionManager::forgetSession() {
    session_.reset();
    accountName_.reset();
    ++generation_;
}

// Forgets the session now; its stored token goes in the background.
void SessionManager::endSession() {
    change([&] { forgetSession(); });
    detach(removeStored(store_, activeSite_));
}

void SessionManager::setLanguage(AppLanguage language) {
    const SiteProfile& site = sites_.forLanguage(language);
    if (site == activeSite_) return;
    change([&] {
        activeSite_ = site;
        forgetSession();
    });
    startLoading();
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
    endSession();
    return signedIn;
}

std::optional<SessionSnapshot> SessionManager::snapshot() const {
    if (!session_) return std::nullopt;
    return SessionSnapshot{activeSite_, session_->token, session_->userId, generation_};
}

bool SessionManager::isCurrent(const SessionSnapshot& snapshot) const {
    return session_ && snapshot.generation == generation_ && snapshot.site == activeSite_;
}

QCoro::Task<SessionManager::SignInResult> SessionManager::completeSignIn(SignInGrant grant, StoredSession session,
                                                                         std::optional<std::string> accountName) {
    if (exchanging_ != grant.serial) co_return SignInResult::superseded;
    std::optional<KeychainError> storeFailure;
    try {
        auto write = store_.write(grant.site.keychainAccount(), session.encode());
        co_await write;
    } catch (const KeychainError& error) {
        storeFailure = error;
    }
    // Another link may have been accepted, or the language switched, while the store worked.
    if (exchanging_ != grant.serial) co_return SignInResult::superseded;
    const bool active = grant.site == activeSite_;
    if (storeFailure) {
        log::error(category, "couldn't store the session for " + grant.site.domain + ": " + storeFailure->what() +
                                 (active ? "; it is kept in memory until the program ends" : ""));
        if (!active) {
            change([&] { exchanging_.reset(); });
            throw *storeFailure;
        }
    }
    change([&] {
        exchanging_.reset();
        if (active) {
            session_ = std::move(session);
            accountName_ = std::move(accountName);
            ++generation_;
        }
    });
    co_return active ? SignInResult::activated : SignInResult::storedForInactiveSite;
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
    endSession();
}

} // namespace zantiva
