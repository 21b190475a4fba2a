#include "Model/ResultStore.h"

#include <exception>

#include "Model/BenchmarkBaseline.h"
#include "Model/BenchmarkScoring.h"
#include "Model/JsonFile.h"
#include "Platform/AtomicFile.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

constexpr const char* logCategory = "store";
constexpr const char* reportFile = "last-report.json";
constexpr const char* sessionFile = "benchmark-session.json";
constexpr const char* storageFile = "last-ssd-result.json";

// Removes a CPU result made under other scoring rules (or under none) from a report's JSON
// before the strict decode, so that a result of an older version, whatever its shape, can't
// make the whole report unreadable. Answers whether it removed one.
bool dropStaleCpuResult(json::Json& report) {
    if (!report.is_object()) return false;
    const auto cpu = report.find("cpuResult");
    if (cpu == report.end() || cpu->is_null()) return false;
    if (cpu->is_object()) {
        const auto version = cpu->find("scoringVersion");
        if (version != cpu->end() && version->is_number() &&
            version->get<double>() == double(BenchmarkBaseline::scoringVersion))
            return false;
    }
    report.erase(cpu);
    return true;
}

void rescore(FinalBenchmarkReport& report) {
    report.overallScore = BenchmarkScoring::healthScore(report).value_or(0.0);
}

template <typename T> struct Decoded {
    std::optional<T> value;
    bool droppedCpuResult = false;
    std::string problem; // why there is no value
};

// Parses a stored file and decodes it strictly; `reportOf` finds the report inside the
// JSON, whose stale CPU result is dropped first.
template <typename T> Decoded<T> decode(const std::string& text, json::Json* (*reportOf)(json::Json&)) {
    Decoded<T> out;
    json::Json j = json::Json::parse(text, nullptr, false);
    if (j.is_discarded()) {
        out.problem = "not JSON";
        return out;
    }
    if (json::Json* report = reportOf(j)) out.droppedCpuResult = dropStaleCpuResult(*report);
    try {
        out.value = T::fromJson(j);
    } catch (const std::exception& e) {
        out.problem = e.what();
    }
    return out;
}

json::Json* wholeReport(json::Json& j) { return &j; }

json::Json* sessionReport(json::Json& j) {
    if (!j.is_object()) return nullptr;
    const auto results = j.find("results");
    return results == j.end() ? nullptr : &*results;
}

json::Json* noReport(json::Json&) { return nullptr; }

// Why a stored text is no record of type T, for keeping it aside before it is replaced.
template <typename T> jsonfile::DecodeProblem problemOf(json::Json* (*reportOf)(json::Json&)) {
    return [reportOf](const std::string& text) -> std::optional<std::string> {
        auto decoded = decode<T>(text, reportOf);
        if (decoded.value) return std::nullopt;
        return decoded.problem;
    };
}

// A stored file read and decoded; nothing when it is missing or unreadable, and a log line
// when it is there but can't be decoded.
template <typename T>
Decoded<T> readStored(const std::optional<fs::path>& file, json::Json* (*reportOf)(json::Json&)) {
    const auto text = file ? readWholeFile(*file) : std::nullopt;
    if (!text) return {};
    auto decoded = decode<T>(*text, reportOf);
    if (!decoded.value)
        log::error(logCategory, file->filename().string() + " is unreadable and was ignored: " + decoded.problem);
    return decoded;
}

} // namespace

ResultStore::ResultStore(std::optional<fs::path> directory) : directory_(std::move(directory)) {}

std::optional<fs::path> ResultStore::fileURL(const char* name) const {
    if (!directory_) return std::nullopt;
    return *directory_ / name;
}

SaveResult ResultStore::save(const char* name, const json::Json& value,
                             const jsonfile::DecodeProblem& undecodable) const {
    const auto file = fileURL(name);
    if (!file) return jsonfile::saveWithoutFolder(name, logCategory);
    // Under the lock that a rewrite of the report by another process takes too.
    return jsonfile::whileLocked(*file, logCategory, [&] {
        return jsonfile::saveKeepingUndecodable(*file, value, logCategory, undecodable);
    });
}

SaveResult ResultStore::saveReport(const FinalBenchmarkReport& report) const {
    return save(reportFile, report.toJson(), problemOf<FinalBenchmarkReport>(wholeReport));
}

std::optional<FinalBenchmarkReport> ResultStore::loadReport(SaveResult* rewritten) const {
    auto decoded = readStored<FinalBenchmarkReport>(fileURL(reportFile), wholeReport);
    if (decoded.value && decoded.droppedCpuResult) {
        rescore(*decoded.value);
        const SaveResult saved = rewriteReport();
        if (rewritten) *rewritten = saved;
    }
    return decoded.value;
}

SaveResult ResultStore::rewriteReport() const {
    const fs::path file = *fileURL(reportFile);
    return jsonfile::whileLocked(file, logCategory, [&] {
        // Read again under the lock: a report saved meanwhile (by the window, while the
        // command line read) is newer, and left as it is.
        const auto text = readWholeFile(file);
        auto again = text ? decode<FinalBenchmarkReport>(*text, wholeReport) : Decoded<FinalBenchmarkReport>{};
        if (!again.value || !again.droppedCpuResult) return SaveResult{};
        rescore(*again.value);
        return jsonfile::saveKeepingUndecodable(file, again.value->toJson(), logCategory,
                                                problemOf<FinalBenchmarkReport>(wholeReport));
    });
}

SaveResult ResultStore::saveSession(const BenchmarkSession& session) const {
    return save(sessionFile, session.toJson(), problemOf<BenchmarkSession>(sessionReport));
}

std::optional<BenchmarkSession> ResultStore::loadResumableSession(const SystemSpecs& specs) const {
    auto decoded = readStored<BenchmarkSession>(fileURL(sessionFile), sessionReport);
    if (!decoded.value) return std::nullopt;
    BenchmarkSession& session = *decoded.value;
    switch (session.resumability(specs)) {
    case SessionResumability::finished:
    case SessionResumability::otherDevice:
        clearSession();
        return std::nullopt;
    case SessionResumability::undetermined: // a failed probe must not cost the user the run
        return std::nullopt;
    case SessionResumability::resumable:
        break;
    }
    if (decoded.droppedCpuResult) rescore(session.results);
    return decoded.value;
}

SaveResult ResultStore::clearSession() const {
    const auto file = fileURL(sessionFile);
    std::error_code ec;
    if (!file || fs::remove(*file, ec) || !ec) return {};
    log::error(logCategory, std::string("couldn't remove ") + sessionFile + ": " + ec.message());
    return SaveResult::failed(*file, ec);
}

SaveResult ResultStore::saveStorageResult(const StorageBenchmarkResult& result) const {
    return save(storageFile, result.toJson(), problemOf<StorageBenchmarkResult>(noReport));
}

std::optional<StorageBenchmarkResult> ResultStore::loadStorageResult() const {
    return readStored<StorageBenchmarkResult>(fileURL(storageFile), noReport).value;
}

} // namespace zantiva
