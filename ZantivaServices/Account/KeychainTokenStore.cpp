#include "Account/KeychainTokenStore.h"

#include <QTimer>
#include <QCoro/QCoroTimer>
#include <qt6keychain/keychain.h>

#include "Model/AppPaths.h"

namespace zantiva {
namespace {

// A keyring job that stays alive until it answers. The keyring's callback holds the job
// without a guard, so a job under way is never deleted: one that gave no answer in time
// deletes itself once it answers, however late.
template <typename Job> class PendingJob {
public:
    PendingJob(const QString& service, const std::string& account, std::chrono::milliseconds limit)
        : job_(new Job(service)), limit_(limit) {
        job_->setAutoDelete(false);
        job_->setInsecureFallback(false);
        job_->setKey(QString::fromStdString(account));
    }
    PendingJob(const PendingJob&) = delete;
    PendingJob& operator=(const PendingJob&) = delete;
    ~PendingJob() {
        if (answered_) delete job_;
        else job_->setAutoDelete(true);
    }

    Job& operator*() const { return *job_; }
    Job* operator->() const { return job_; }
    std::chrono::milliseconds limit() const { return limit_; }

    // Starts the job; true once it answered, false when the limit passed first. The timer
    // and the connection live in this frame, so a late answer reaches nothing here.
    QCoro::Task<bool> run() {
        QTimer wake;
        wake.setSingleShot(true);
        QObject::connect(job_, &QKeychain::Job::finished, &wake, [this, &wake] {
            answered_ = true;
            wake.start(0); // resumes outside the keyring's callback, which still uses the job
        });
        wake.start(limit_);
        job_->start();
        auto woken = qCoro(wake).waitForTimeout();
        co_await woken;
        co_return answered_;
    }

private:
    Job* job_;
    const std::chrono::milliseconds limit_;
    bool answered_ = false;
};

KeychainError failure(std::string_view operation, const std::string& account, const QString& reason) {
    return KeychainError("keyring " + std::string(operation) + " of " + account + " failed: " + reason.toStdString());
}

KeychainError noAnswer(std::string_view operation, const std::string& account, std::chrono::milliseconds limit) {
    return failure(operation, account, QStringLiteral("no answer within %1 s").arg(limit.count() / 1000.0));
}

// Root with a user's HOME that stays (the password database gives root none of its own) keeps
// nothing for that home, and the keyring's library, looking for the session bus through GLib,
// would make a ~/.cache of root's there when there is no runtime folder: the user's own programs
// could make nothing in it. Such a run leaves the keyring alone.
void refuseInOthersHome(std::string_view operation, const std::string& account) {
    if (const auto owner = AppPaths::othersHomeOwner())
        throw failure(operation, account, QStringLiteral("not asked, as the home folder belongs to user %1").arg(*owner));
}

} // namespace

// Each call copies what it needs before its first suspension: it may outlive the store.

QCoro::Task<std::optional<std::string>> KeychainTokenStore::read(std::string account) {
    refuseInOthersHome("read", account);
    PendingJob<QKeychain::ReadPasswordJob> job(service_, account, answerLimit_);
    auto run = job.run();
    if (!co_await run) throw noAnswer("read", account, job.limit());
    if (job->error() == QKeychain::EntryNotFound) co_return std::nullopt;
    if (job->error() != QKeychain::NoError) throw failure("read", account, job->errorString());
    co_return job->binaryData().toStdString();
}

QCoro::Task<> KeychainTokenStore::write(std::string account, std::string secret) {
    refuseInOthersHome("write", account);
    PendingJob<QKeychain::WritePasswordJob> job(service_, account, answerLimit_);
    job->setBinaryData(QByteArray::fromStdString(secret));
    auto run = job.run();
    if (!co_await run) throw noAnswer("write", account, job.limit());
    if (job->error() != QKeychain::NoError) throw failure("write", account, job->errorString());
}

QCoro::Task<> KeychainTokenStore::remove(std::string account) {
    refuseInOthersHome("removal", account);
    PendingJob<QKeychain::DeletePasswordJob> job(service_, account, answerLimit_);
    auto run = job.run();
    if (!co_await run) throw noAnswer("removal", account, job.limit());
    if (job->error() != QKeychain::NoError && job->error() != QKeychain::EntryNotFound)
        throw failure("removal", account, job->errorString());
}

} // namespace zantiva
