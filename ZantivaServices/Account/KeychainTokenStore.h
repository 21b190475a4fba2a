#pragma once

#include <QString>

#include "Account/SecureTokenStore.h"

namespace zantiva {

// Secrets in the desktop's keyring (the Secret Service, through QtKeychain), one item per
// account under the service name. Never falls back to a plain file: without a keyring
// every call fails with KeychainError. Each call waits for the keyring in a local event
// loop, so it returns with the answer like the other stores.
class KeychainTokenStore final : public SecureTokenStore {
public:
    static inline const QString defaultService = QStringLiteral("com.zantiva.diagnostics");

    // Touches no keyring item.
    explicit KeychainTokenStore(QString service = defaultService) : service_(std::move(service)) {}

    std::optional<std::string> read(const std::string& account) override;
    void write(const std::string& account, const std::string& secret) override;
    void remove(const std::string& account) override;

private:
    QString service_;
};

} // namespace zantiva
