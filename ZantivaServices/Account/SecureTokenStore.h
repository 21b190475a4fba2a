#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include <QCoro/QCoroTask>

namespace zantiva {

// A failure of the token store; the text names the operation and the store's reason,
// never the secret.
struct KeychainError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Where session secrets live, one per account name. Calls answer through the event loop
// and never block it; each ends, at the latest after a few seconds when the store gives
// no answer (KeychainError). A call may outlive the store object. Main thread only.
class SecureTokenStore {
public:
    virtual ~SecureTokenStore() = default;

    // The account's secret; absent when none is stored. KeychainError when the store fails.
    virtual QCoro::Task<std::optional<std::string>> read(std::string account) = 0;
    // Stores or replaces the account's secret; KeychainError on failure.
    virtual QCoro::Task<> write(std::string account, std::string secret) = 0;
    // Removes the account's secret; removing a missing one is no failure. KeychainError on failure.
    virtual QCoro::Task<> remove(std::string account) = 0;
};

} // namespace zantiva
