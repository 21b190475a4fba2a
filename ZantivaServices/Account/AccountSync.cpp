#include "Account/AccountSync.h"

#include "Platform/Log.h"

namespace zantiva {
namespace {

constexpr std::string_view category = "sync";

// Marks an upload as under way for as long as it lives.
class InFlight {
public:
    InFlight(std::set<std::string>& uploads, std::string key) : uploads_(uploads) {
        added_ = uploads_.insert(std::move(key)).first;
    }
    InFlight(const InFlight&) = delete;
    InFlight& operator=(const InFlight&) = delete;
    ~InFlight() { uploads_.erase(added_); }

private:
    std::set<std::string>& uploads_;
    std::set<std::string>::iterator added_;
};

} // namespace

QCoro::Task<bool> AccountSync::reportDeviceIfChanged(SystemSpecs specs) {
    const auto snapshot = session_.snapshot();
    if (!snapshot) co_return false;
    const DeviceProfile profile(specs);
    if (!profile.hasAnything() || ledger_.isDeviceReported(snapshot->site.domain, snapshot->userId, profile))
        co_return false;
    const std::string key = "device " + snapshot->site.domain + " " + profile.toJson().dump();
    if (inFlight_.contains(key)) co_return false;
    const InFlight mark(inFlight_, key);
    try {
        auto report = api_.reportDevice(*snapshot, profile);
        co_await std::move(report);
    } catch (const std::exception& error) {
        log::error(category, "device report to " + snapshot->site.domain + " failed: " + error.what());
        co_return false;
    }
    ledger_.recordDeviceReported(snapshot->site.domain, snapshot->userId, profile);
    co_return true;
}

QCoro::Task<SubmissionOutcome> AccountSync::submitIfChanged(FinalBenchmarkReport report,
                                                            std::optional<DeviceGrade> grade) {
    const auto snapshot = session_.snapshot();
    if (!snapshot) co_return SubmissionOutcome::signedOut;
    if (BenchmarkSubmission::withheldBecause(report)) co_return SubmissionOutcome::withheld;
    auto submission = BenchmarkSubmission::make(report, grade);
    if (!submission) co_return SubmissionOutcome::nothingToRank;
    const std::string& domain = snapshot->site.domain;
    const std::string fingerprint = submission->fingerprint(snapshot->userId);
    const std::string key = "result " + domain + " " + fingerprint;
    if (ledger_.lastSubmittedFingerprint(domain) == fingerprint || inFlight_.contains(key))
        co_return SubmissionOutcome::unchanged;
    const InFlight mark(inFlight_, key);
    try {
        auto upload = api_.submitResult(*snapshot, std::move(*submission));
        co_await std::move(upload);
    } catch (const std::exception& error) {
        log::error(category, "leaderboard upload to " + domain + " failed: " + error.what());
        co_return SubmissionOutcome::failed;
    }
    ledger_.recordSubmitted(domain, fingerprint);
    co_return SubmissionOutcome::submitted;
}

} // namespace zantiva
