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

// A part whose list couldn't be read (BenchmarkScoring::keepPreviousOverUnknown) is no reading
// to keep: the earlier one holds.
bool isUnknown(const json::Json& result) { return result.is_object() && result.contains("listingError"); }

// The report with only the results `keep` takes (the rest of it as it is), scored anew.
template <typename Keep>
FinalBenchmarkReport withResults(const FinalBenchmarkReport& report, Keep keep) {
    json::Json out = report.toJson();
    for (auto it = out.begin(); it != out.end();)
        it = isResult(it.key()) && !keep(it.key(), *it) ? out.erase(it) : std::next(it);
    FinalBenchmarkReport kept = FinalBenchmarkReport::fromJson(out);
    kept.overallScore = BenchmarkScoring::healthScore(kept).value_or(0.0);
    return kept;
}

// The run with only the results named.
FinalBenchmarkReport onlyResults(const FinalBenchmarkReport& run, const std::vector<std::string>& keys) {
    return withResults(run, [&](const std::string& key, const json::Json&) {
        return std::ranges::find(keys, key) != keys.end();
    });
}

} // namespace

RunLayOver layRunOver(const std::optional<FinalBenchmarkReport>& stored, const MeasuredRun& run) {
    const bool knownOlder = !stored || stored->completedAt < run.since;
    const bool runStands = knownOlder || run.justMeasured;
    RunLayOver out{.report = runStands ? BenchmarkScoring::merge(stored, run.results)
                                       : BenchmarkScoring::merge(run.results, *stored)};
    const json::Json ran = run.results.toJson();
    const json::Json before = stored ? stored->toJson() : json::Json::object();
    const json::Json after = out.report.toJson();
    for (const auto& [key, result] : ran.items()) {
        if (!isResult(key)) continue;
        if (after.value(key, json::Json()) != result) {
            if (!isUnknown(result)) out.kept.push_back(key);
        } else if (before.value(key, json::Json()) != result)
            out.laidOver.push_back(key);
    }
    if (!knownOlder && runStands)
        for (const auto& [key, result] : before.items())
            if (isResult(key) && !isUnknown(result) && after.value(key, json::Json()) != result)
                out.replaced.push_back(key);
    if (stored && out.laidOver.empty()) out.report.completedAt = stored->completedAt;
    // Later than the results it holds; a run just measured sets it right after a clock set ahead.
    if (stored && !out.laidOver.empty() && !runStands)
        out.report.completedAt = std::max(stored->completedAt, run.results.completedAt);
    if (!out.kept.empty()) out.aside = onlyResults(run.results, out.kept);
    if (!out.replaced.empty()) out.aside = onlyResults(*stored, out.replaced);
    return out;
}

FinalBenchmarkReport resultsAddedSince(const FinalBenchmarkReport& now, const FinalBenchmarkReport& before) {
    const json::Json earlier = before.toJson();
    return withResults(now, [&](const std::string& key, const json::Json& result) {
        return earlier.value(key, json::Json()) != result;
    });
}

} // namespace zantiva
