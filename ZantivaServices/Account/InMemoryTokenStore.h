#pragma once

#include <map>

#include "Account/SecureTokenStore.h"

namespace zantiva {

// Secrets kept in this object only, gone with it. For callers that must not touch the
// keyring.
class InMemoryTokenStore final : public SecureTokenStore {
public:
    std::optional<std::string> read(const std::string& account) override;
    void write(const std::string& account, const std::string& secret) override;
    void remove(const std::string& account) override;

private:
    std::map<std::string, std::string> secrets_;
};

} // namespace zantiva
