#pragma once

#include <chrono>

#include <QString>

#include "Account/SecureTokenStore.h"

namespace zantiva {

// Secrets in the desktop's keyring (the Secret Service, through QtKeychain), one item per
// account under the service name. Never falls back to a plain file: without a keyring
// every call fails with KeychainError, and so it does, without asking, where the home folder
// belongs to another user (root with a user's HOME). A locked keyring may show a prompt that
// nobody answers, so each call gives up after its answer limit.
class KeychainTokenStore final : public SecureTokenStore {
public:
    static inline const QString defaultService = QStringLiteral("com.zantiva.diagnostics");
    static constexpr std::chrono::milliseconds defaultAnswerLimit{5000};

    // Touches no keyring item.
    explicit KeychainTokenStore(QString service = defaultService,
                                std::chrono::milliseconds answerLimit = defaultAnswerLimit)
        : service_(std::move(service)), answerLimit_(answerLimit) {}

    QCoro::Task<std::optional<std::string>> read(std::string account) override;
    QCoro::Task<> write(std::string account, std::string secret) override;
    QCoro::Task<> remove(std::string account) override;

private:
    QString service_;
    std::chrono::milliseconds answerLimit_;
};

} // namespace zantiva
