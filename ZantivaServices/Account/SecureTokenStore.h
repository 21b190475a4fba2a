#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace zantiva {

// A failure of the token store; the text names the operation and the store's reason,
// never the secret.
struct KeychainError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Where session secrets live, one per account name. Main thread only.
class SecureTokenStore {
public:
    virtual ~SecureTokenStore() = default;

    // The account's secret; absent when none is stored. KeychainError when the store fails.
    virtual std::optional<std::string> read(const std::string& account) = 0;
    // Stores or replaces the account's secret; KeychainError on failure.
    virtual void write(const std::string& account, const std::string& secret) = 0;
    // Removes the account's secret; removing a missing one is no failure. KeychainError on failure.
    virtual void remove(const std::string& account) = 0;
};

} // namespace zantiva
