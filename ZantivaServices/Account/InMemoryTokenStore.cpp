#include "Account/InMemoryTokenStore.h"

namespace zantiva {

std::optional<std::string> InMemoryTokenStore::read(const std::string& account) {
    const auto it = secrets_.find(account);
    if (it == secrets_.end()) return std::nullopt;
    return it->second;
}

void InMemoryTokenStore::write(const std::string& account, const std::string& secret) { secrets_[account] = secret; }

void InMemoryTokenStore::remove(const std::string& account) { secrets_.erase(account); }

} // namespace zantiva
