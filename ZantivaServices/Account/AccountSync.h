#pragma once

#include <optional>
#include <set>
#include <string>

#include <QCoro/QCoroTask>

#include "Account/SessionManager.h"
#include "Account/SyncLedger.h"
#include "Account/ZantivaAPIClient.h"
#include "Model/DeviceGrade.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

enum class SubmissionOutcome {
    submitted,
    signedOut,     // nothing sent
    nothingToRank, // no verified CPU result and no GPU result
    withheld,      // not the whole machine's result (BenchmarkSubmission::withheldBecause says why)
    unchanged,     // this result was already submitted to the site (or is being submitted)
    failed,        // the upload failed; logged, and tried again next time
};

// Sends the device profile and the results to the active site's account, each only when
// it differs from what this machine last sent there. Failures are logged ("sync") and
// never thrown: these uploads run in the background and never trouble the user.
class AccountSync {
public:
    AccountSync(SessionManager& session, ZantivaAPIClient& api, SyncLedger& ledger)
        : session_(session), api_(api), ledger_(ledger) {}

    // True when the profile was sent now.
    QCoro::Task<bool> reportDeviceIfChanged(SystemSpecs specs);
    QCoro::Task<SubmissionOutcome> submitIfChanged(FinalBenchmarkReport report, std::optional<DeviceGrade> grade);

private:
    SessionManager& session_;
    ZantivaAPIClient& api_;
    SyncLedger& ledger_;
    std::set<std::string> inFlight_; // uploads under way, so overlapping requests send once
};

} // namespace zantiva
