#include "Model/RunLayOver.h"

#include <array>
#include <string_view>

#include "Model/BenchmarkScoring.h"

namespace zantiva {
namespace {

// The report's keys that hold no test's result.
constexpr std::array<std::string_view, 5> notResults{"specs", "completedAt", "overallScore", "cameraBypassed",
                                                     "peripheralStatus"};

bool isResult(std::string_view key) {
    for (const std::string_view other : notResults)
        if (key == other) return false;
    return true;
}

} // namespace

RunLayOver layRunOver(const std::optional<FinalBenchmarkReport>& stored, const FinalBenchmarkReport& run) {
    const bool storedIsNewer = stored && stored->completedAt >= run.completedAt;
    RunLayOver out{.report = storedIsNewer ? BenchmarkScoring::merge(run, *stored) : BenchmarkScoring::merge(stored, run)};
    const json::Json ran = run.toJson();
    const json::Json before = stored ? stored->toJson() : json::Json::object();
    const json::Json after = out.report.toJson();
    for (const auto& [key, result] : ran.items()) {
        if (!isResult(key)) continue;
        if (after.value(key, json::Json()) != result)
            out.kept.push_back(key);
        else if (before.value(key, json::Json()) != result)
            out.laidOver.push_back(key);
    }
    return out;
}

} // namespace zantiva
