#pragma once

#include <map>

#include "Account/SecureTokenStore.h"

namespace zantiva {

// Secrets kept in this object only, gone with it. For callers that must not touch the
// keyring. Every call answers at once.
class InMemoryTokenStore final : public SecureTokenStore {
public:
    QCoro::Task<std::optional<std::string>> read(std::string account) override;
    QCoro::Task<> write(std::string account, std::string secret) override;
    QCoro::Task<> remove(std::string account) override;

private:
    std::map<std::string, std::string> secrets_;
};

} // namespace zantiva
