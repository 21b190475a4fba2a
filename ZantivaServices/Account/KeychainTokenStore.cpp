#include "Account/KeychainTokenStore.h"

#include <QEventLoop>
#include <qt6keychain/keychain.h>

namespace zantiva {
namespace {

// Starts the job and waits for its answer. The job is owned here, not deleted by itself.
void run(QKeychain::Job& job, const std::string& account) {
    job.setAutoDelete(false);
    job.setInsecureFallback(false);
    job.setKey(QString::fromStdString(account));
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    job.start();
    if (!finished) loop.exec(QEventLoop::ExcludeUserInputEvents);
}

[[noreturn]] void fail(std::string_view operation, const std::string& account, const QKeychain::Job& job) {
    throw KeychainError("keyring " + std::string(operation) + " of " + account + " failed: " +
                        job.errorString().toStdString());
}

} // namespace

std::optional<std::string> KeychainTokenStore::read(const std::string& account) {
    QKeychain::ReadPasswordJob job(service_);
    run(job, account);
    if (job.error() == QKeychain::EntryNotFound) return std::nullopt;
    if (job.error() != QKeychain::NoError) fail("read", account, job);
    return job.binaryData().toStdString();
}

void KeychainTokenStore::write(const std::string& account, const std::string& secret) {
    QKeychain::WritePasswordJob job(service_);
    job.setBinaryData(QByteArray::fromStdString(secret));
    run(job, account);
    if (job.error() != QKeychain::NoError) fail("write", account, job);
}

void KeychainTokenStore::remove(const std::string& account) {
    QKeychain::DeletePasswordJob job(service_);
    run(job, account);
    if (job.error() != QKeychain::NoError && job.error() != QKeychain::EntryNotFound) fail("removal", account, job);
}

} // namespace zantiva
