#include "Account/InMemoryTokenStore.h"

namespace zantiva {

QCoro::Task<std::optional<std::string>> InMemoryTokenStore::read(std::string account) {
    const auto it = secrets_.find(account);
    if (it == secrets_.end()) co_return std::nullopt;
    // A copy made here: QCoro 0.8 moves from a co_returned lvalue of another type than the result.
    co_return std::optional<std::string>(it->second);
}

QCoro::Task<> InMemoryTokenStore::write(std::string account, std::string secret) {
    secrets_[std::move(account)] = std::move(secret);
    co_return;
}

QCoro::Task<> InMemoryTokenStore::remove(std::string account) {
    secrets_.erase(account);
    co_return;
}

} // namespace zantiva
