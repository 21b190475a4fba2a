#include "Model/RunLayOver.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "Model/BenchmarkScoring.h"

namespace zantiva {
namespace {

// The report's keys that hold no test's result.
constexpr std::array<std::string_view, 5> notResults{"specs", "completedAt", "overallScore", "cameraBypassed",
                                                     "peripheralStatus"};

bool isResult(std::string_view key) { return std::ranges::find(notResults, key) == notResults.end(); }

// The run with only the results named.
FinalBenchmarkReport onlyResults(const FinalBenchmarkReport& run, const std::vector<std::string>& keys) {
    json::Json out = run.toJson();
    for (auto it = out.begin(); it != out.end();)
        it = isResult(it.key()) && std::ranges::find(keys, it.key()) == keys.end() ? out.erase(it) : std::next(it);
    FinalBenchmarkReport aside = FinalBenchmarkReport::fromJson(out);
    aside.overallScore = BenchmarkScoring::healthScore(aside).value_or(0.0);
    return aside;
}

} // namespace

RunLayOver layRunOver(const std::optional<FinalBenchmarkReport>& stored, const MeasuredRun& run) {
    const bool knownOlder = !stored || stored->completedAt < run.since;
    RunLayOver out{.report = knownOlder ? BenchmarkScoring::merge(stored, run.results)
                                        : BenchmarkScoring::merge(run.results, *stored)};
    const json::Json ran = run.results.toJson();
    const json::Json before = stored ? stored->toJson() : json::Json::object();
    const json::Json after = out.report.toJson();
    for (const auto& [key, result] : ran.items()) {
        if (!isResult(key)) continue;
        if (after.value(key, json::Json()) != result)
            out.kept.push_back(key);
        else if (before.value(key, json::Json()) != result)
            out.laidOver.push_back(key);
    }
    if (stored) {
        // Later than the results it holds, whichever run they came from.
        out.report.completedAt = stored->completedAt;
        if (!out.laidOver.empty()) out.report.completedAt = std::max(stored->completedAt, run.results.completedAt);
    }
    if (!out.kept.empty()) out.aside = onlyResults(run.results, out.kept);
    return out;
}

FinalBenchmarkReport resultsAddedSince(const FinalBenchmarkReport& now, const FinalBenchmarkReport& before) {
    json::Json out = now.toJson();
    const json::Json earlier = before.toJson();
    for (auto it = out.begin(); it != out.end();)
        it = isResult(it.key()) && earlier.value(it.key(), json::Json()) == *it ? out.erase(it) : std::next(it);
    FinalBenchmarkReport added = FinalBenchmarkReport::fromJson(out);
    added.overallScore = BenchmarkScoring::healthScore(added).value_or(0.0);
    return added;
}

} // namespace zantiva
