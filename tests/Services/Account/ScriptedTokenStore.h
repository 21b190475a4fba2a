#pragma once

// A token store that answers as the test decides, for what the desktop keyring can't be
// made to do on demand: answer a read late (a slow or locked keyring), or refuse to store.

#include <deque>
#include <memory>

#include <QCoro/QCoroFuture>
#include <QFuture>
#include <QPromise>

#include "Account/InMemoryTokenStore.h"

namespace zantiva::testing {

class ScriptedTokenStore final : public SecureTokenStore {
public:
    InMemoryTokenStore secrets; // what the store holds
    bool holdReads = false;     // a read answers only when released, in the order asked
    bool refuseWrites = false;

    // A held read answers what was stored when it was asked. Once released it touches
    // nothing of the store, so it may outlive it.
    QCoro::Task<std::optional<std::string>> read(std::string account) override {
        auto lookup = secrets.read(std::move(account));
        auto secret = co_await lookup;
        if (holdReads) {
            QPromise<void>& hold = held_.emplace_back();
            hold.start();
            auto released = hold.future();
            const auto answered = answered_;
            co_await released;
            ++*answered;
        }
        co_return secret;
    }

    QCoro::Task<> write(std::string account, std::string secret) override {
        if (refuseWrites) throw KeychainError("keyring write of " + account + " failed: refused");
        auto stored = secrets.write(std::move(account), std::move(secret));
        co_await stored;
    }

    QCoro::Task<> remove(std::string account) override {
        auto removed = secrets.remove(std::move(account));
        co_await removed;
    }

    std::size_t heldReads() const { return held_.size(); }
    // Lets the earliest held read answer, which it does through the event loop; in the
    // same turn answeredReads() counts it and its caller takes the answer.
    void releaseRead() {
        held_.front().finish();
        held_.pop_front();
    }
    int answeredReads() const { return *answered_; }

private:
    std::deque<QPromise<void>> held_;
    std::shared_ptr<int> answered_ = std::make_shared<int>(0);
};

} // namespace zantiva::testing
