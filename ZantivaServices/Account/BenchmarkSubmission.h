#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Localization/LocalizedMessage.h"
#include "Model/DeviceGrade.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// The result record sent to the leaderboard: the report's rankable scores, its health
// score and grade, and the device profile, in snake_case.
class BenchmarkSubmission {
public:
    // Absent when there is nothing to rank (neither a CPU result whose work was verified
    // nor a GPU result) or when the report is withheld.
    static std::optional<BenchmarkSubmission> make(const FinalBenchmarkReport& report,
                                                   std::optional<DeviceGrade> grade);
    // Why the report can't go to the leaderboard as the machine its profile names: its
    // verified CPU score was measured on fewer threads than the machine has (a run held to
    // some CPUs), or under a CPU quota of fewer processors' time than that (a container's
    // --cpus). Absent when nothing holds it back.
    static std::optional<LocalizedMessage> withheldBecause(const FinalBenchmarkReport& report);

    const json::Json& body() const { return body_; }
    // SHA-256 (hex) of the record together with the account it goes to, so the same
    // result counts as new for another account on the same site.
    std::string fingerprint(std::int64_t userId) const;

private:
    json::Json body_;
};

} // namespace zantiva
