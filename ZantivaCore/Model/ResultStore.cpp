#include "Model/ResultStore.h"

#include <algorithm>
#include <exception>
#include <span>
#include <string>
#include <vector>

#include "Model/BenchmarkBaseline.h"
#include "Model/BenchmarkScoring.h"
#include "Model/JsonFile.h"
#include "Model/ReportMachine.h"
#include "Model/RunLayOver.h"
#include "Platform/AtomicFile.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

constexpr const char* logCategory = "store";
constexpr const char* reportFile = "last-report.json";
constexpr const char* sessionFile = "benchmark-session.json";
constexpr const char* storageFile = "last-ssd-result.json";
constexpr const char* unreadable = "not a regular file that can be read whole";

// How a stored CPU result stands to this version's scoring rules.
enum class CpuVersion { none, current, older, later };

// Read from the JSON, so that a result of another version, whatever its shape, can't make
// the whole report unreadable. One without a version was written before results had one.
CpuVersion cpuVersionOf(const json::Json& report) {
    if (!report.is_object()) return CpuVersion::none;
    const auto cpu = report.find("cpuResult");
    if (cpu == report.end() || cpu->is_null()) return CpuVersion::none;
    if (cpu->is_object()) {
        const auto version = cpu->find("scoringVersion");
        if (version != cpu->end() && version->is_number()) {
            const double number = version->get<double>();
            if (number == double(BenchmarkBaseline::scoringVersion)) return CpuVersion::current;
            if (number > double(BenchmarkBaseline::scoringVersion)) return CpuVersion::later;
        }
    }
    return CpuVersion::older;
}

void rescore(FinalBenchmarkReport& report) {
    report.overallScore = BenchmarkScoring::healthScore(report).value_or(0.0);
}

template <typename T> struct Decoded {
    std::optional<T> value;
    json::Json stored; // as read, less the CPU result left out of the value
    CpuVersion cpu = CpuVersion::none;
    std::string problem; // why there is no value

    // A CPU result of another scoring version can't be compared under this one's rules.
    bool leftOutCpu() const { return cpu == CpuVersion::older || cpu == CpuVersion::later; }
};

// Parses a stored file and decodes it strictly; `reportOf` finds the report inside the
// JSON, whose CPU result of another scoring version is left out first.
template <typename T> Decoded<T> decode(const std::string& text, json::Json* (*reportOf)(json::Json&)) {
    Decoded<T> out;
    auto parsed = jsonfile::parse(text);
    if (!parsed) {
        out.problem = jsonfile::notJson;
        return out;
    }
    out.stored = std::move(*parsed);
    if (json::Json* report = reportOf(out.stored)) {
        out.cpu = cpuVersionOf(*report);
        if (out.leftOutCpu()) report->erase("cpuResult");
    }
    try {
        out.value = T::fromJson(out.stored);
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

// Why a stored file may not be replaced before it is kept aside: it is no record of type T,
// or it holds a later version's result that this version would drop.
template <typename T> std::optional<std::string> problemIn(const Decoded<T>& decoded) {
    if (!decoded.value) return "undecodable: " + decoded.problem;
    if (decoded.cpu == CpuVersion::later) return std::string("it holds a CPU result of a later scoring version");
    return std::nullopt;
}

template <typename T> jsonfile::DecodeProblem problemOf(json::Json* (*reportOf)(json::Json&)) {
    return [reportOf](const std::string& text) { return problemIn(decode<T>(text, reportOf)); };
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

// Only results of one machine go together: a report made on another (an app folder copied or
// restored from it), or one that names no machine, lends a new one neither its results nor
// its keys. One whose match can't be told (a name only one side tells: a failed probe) is
// laid over as this machine's: a failed probe must not cost the user the earlier results.
bool sameMachine(const FinalBenchmarkReport& stored, const FinalBenchmarkReport& report) {
    return stored.specs && report.specs && !madeOnAnotherMachine(stored, report.specs);
}

using StoredReport = Decoded<FinalBenchmarkReport>;
// The report to save made from the one stored (rescored when its CPU result was left out),
// or nothing to leave the file as it is.
using ReportChange = std::function<std::optional<FinalBenchmarkReport>(const StoredReport&)>;

// Every save of the report: under its lock the file is read and decoded once, `change` makes
// the report to save from it, and the keys this version doesn't know are written back when
// the new report extends the stored one. A stored report it would replace instead (undecodable,
// of a later scoring version, or of another machine) is kept aside first.
SaveResult changeReport(const std::optional<fs::path>& file, const ReportChange& change) {
    if (!file) return jsonfile::saveWithoutFolder(reportFile, logCategory);
    return jsonfile::whileLocked(*file, logCategory, [&] {
        const auto text = readWholeFile(*file);
        auto stored = text ? decode<FinalBenchmarkReport>(*text, wholeReport) : StoredReport{};
        std::optional<json::Json> asRead;
        if (stored.value) {
            asRead = stored.value->toJson();
            if (stored.leftOutCpu()) rescore(*stored.value);
        }
        const auto report = change(stored);
        if (!report) return SaveResult{};
        json::Json out = report->toJson();
        std::optional<std::string> problem = problemIn(stored);
        if (asRead && sameMachine(*stored.value, *report)) {
            out = jsonfile::withChanges(std::move(stored.stored), *asRead, out);
        } else if (!problem) {
            problem = "a report of another machine, or of none named";
        }
        // What was decoded here is what the save keeps aside: the file is not decoded again.
        if (!text) problem = unreadable;
        return jsonfile::saveKeepingUndecodable(*file, out, logCategory,
                                                [&problem](const std::string&) { return problem; });
    });
}

// The keys named in a log line.
std::string listed(const std::vector<std::string>& keys) {
    std::string out;
    for (const std::string& key : keys) out += (out.empty() ? "" : ", ") + key;
    return out;
}

// The run's time in a file name: "20261207T072500Z".
std::string compactTime(Date at) {
    std::string text = iso8601(at);
    std::erase_if(text, [](char c) { return c == '-' || c == ':'; });
    return text;
}

// Lays each run over the report in turn (layRunOver), the first over `stored`, and keeps
// the results the report didn't take beside it, before the report is saved: a failure to keep
// them fails the whole save, so nothing is dropped (the runs are still laid over in `report`,
// for the window).
struct RunsLaidOver {
    std::optional<FinalBenchmarkReport> report;
    std::vector<RunLayOver> laid;
    std::vector<fs::path> keptAside;
    SaveResult failure;
};

RunsLaidOver layRunsOver(const fs::path& file, std::optional<FinalBenchmarkReport> stored,
                         std::span<const MeasuredRun> runs) {
    RunsLaidOver out;
    for (const MeasuredRun& run : runs) {
        RunLayOver laid = layRunOver(stored, run);
        if (laid.aside && out.failure.saved()) {
            fs::path written;
            out.failure = jsonfile::saveAsNewFile(file, "last-report.kept-" + compactTime(laid.aside->completedAt),
                                                  laid.aside->toJson(), logCategory, written);
            if (out.failure.saved()) out.keptAside.push_back(written);
        }
        stored = laid.report;
        out.laid.push_back(std::move(laid));
    }
    out.report = std::move(stored);
    return out;
}

// What became of a run laid over the report, for the log: which of its results went in, which
// stayed out for the report's own of `storedAt` or replaced the report's, and where the results
// left out were kept.
std::string toldOf(const std::string& run, const RunLayOver& laid, Date storedAt, const fs::path* keptAt) {
    std::string told = run + " was laid over " + reportFile + ": " +
                       (laid.laidOver.empty() ? std::string("none of its results") : "its " + listed(laid.laidOver)) +
                       " went in";
    const std::string where = keptAt ? keptAt->string() : "";
    if (!laid.kept.empty())
        told += "; the report's " + listed(laid.kept) + " of " + iso8601(storedAt) +
                " stayed, which may be newer, and the run's were kept in " + where;
    if (!laid.replaced.empty())
        told += "; the report's " + listed(laid.replaced) + " of " + iso8601(storedAt) +
                ", which may be newer, were kept in " + where;
    return told;
}

// Lays a finished session's results over the report under its lock (layRunOver, the run
// measured since its start): a report that holds them already (the run's end saved it before
// it was cut short) is left as it is, and the results the report doesn't take are kept beside
// it; `changed` says whether the report was saved anew, `keptAside` where results were kept.
// The log tells what became of them once the save is over.
SaveResult layOverReport(const std::optional<fs::path>& file, const BenchmarkSession& session,
                         const SystemSpecs& specs, bool& changed, std::vector<fs::path>& keptAside) {
    bool changes = false;
    RunsLaidOver laid;
    Date storedAt{};
    SaveResult saved = changeReport(file, [&](const StoredReport& stored) -> std::optional<FinalBenchmarkReport> {
        FinalBenchmarkReport run = session.results;
        run.specs = specs;
        run.completedAt = session.timestamp;
        const bool same = stored.value && sameMachine(*stored.value, run);
        const MeasuredRun measured{run, std::min(session.startedAt, session.timestamp)};
        laid = layRunsOver(*file, same ? stored.value : std::nullopt, std::span(&measured, 1));
        if (!laid.failure.saved()) return std::nullopt;
        if (same) {
            storedAt = stored.value->completedAt;
            if (laid.laid.front().laidOver.empty()) return std::nullopt;
        }
        changes = true;
        return laid.report;
    });
    if (saved.saved()) saved = laid.failure;
    if (!saved.saved()) {
        log::error(logCategory, "the results of the finished run " + session.sessionID + " couldn't be laid over " + reportFile + " and stay in " +
                                    sessionFile + ": " + saved.reason);
        changed = false;
        return saved;
    }
    const RunLayOver& run = laid.laid.front();
    const std::string told = toldOf("the finished run " + session.sessionID + " of " + iso8601(session.timestamp), run,
                                    storedAt, laid.keptAside.empty() ? nullptr : &laid.keptAside.front());
    // Results kept aside are the program's own doing, which standard error hears of too.
    if (run.aside)
        log::notice(logCategory, told);
    else if (changes)
        log::info(logCategory, told);
    changed = changes;
    keptAside = laid.keptAside;
    return saved;
}

// What becomes of a stored session before anything takes the session file's place: a
// finished run of this machine goes into the report, and the file is kept aside (with why)
// when it holds what would be lost with it. This machine's interrupted run gives way to a new
// run, as the user chose by beginning one. Found at start, the file is kept aside at once only
// when `alsoAtStart`: one whose machine can't be told stays, not offered, and this machine's
// interrupted run is offered, without a later version's result.
struct Handover {
    bool layOver = false;
    std::optional<std::string> keepAsideWhy;
    bool alsoAtStart = true;
};

Handover handoverOf(const Decoded<BenchmarkSession>& stored, const SystemSpecs& specs) {
    const BenchmarkSession& session = *stored.value;
    if (session.deviceInfo.namesDiffer(specs)) return {.keepAsideWhy = "a session of another machine"};
    std::optional<std::string> later;
    if (stored.cpu == CpuVersion::later) later = "it holds a CPU result of a later scoring version";
    switch (session.resumability(specs)) {
    case SessionResumability::finished: return {.layOver = true, .keepAsideWhy = later};
    case SessionResumability::resumable: return {.keepAsideWhy = later, .alsoAtStart = false};
    case SessionResumability::otherDevice: return {.keepAsideWhy = "a session of another machine"};
    case SessionResumability::undetermined: break;
    }
    return {.keepAsideWhy = "a session whose machine can't be told", .alsoAtStart = false};
}

// Whether a file stands in the place of one whose save didn't get to look at it (its lock
// not had) in a folder that is there: what it holds is not known. A refused look counts as one.
bool standsUnlooked(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(file.parent_path(), ec))) return false;
    const auto status = fs::symlink_status(file, ec);
    return fs::exists(status) || (ec && ec != std::errc::no_such_file_or_directory);
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
    return changeReport(fileURL(reportFile), [&](const StoredReport&) { return report; });
}

ReportSave ResultStore::saveRun(std::span<const MeasuredRun> runs, FinalBenchmarkReport& shown) const {
    if (runs.empty()) return {};
    const auto file = fileURL(reportFile);
    bool read = false;
    RunsLaidOver laid;
    Date storedAt{};
    ReportSave out;
    out.result = changeReport(file, [&](const StoredReport& stored) -> std::optional<FinalBenchmarkReport> {
        read = true;
        const bool same = stored.value && sameMachine(*stored.value, runs.back().results);
        if (same) storedAt = stored.value->completedAt;
        laid = layRunsOver(*file, same ? stored.value : std::nullopt, runs);
        shown = *laid.report;
        if (!laid.failure.saved()) return std::nullopt;
        return laid.report;
    });
    if (out.saved()) out.result = laid.failure;
    if (!read) {
        // Nothing read: what is shown stands for the stored report, in memory only.
        std::optional<FinalBenchmarkReport> inMemory;
        if (sameMachine(shown, runs.back().results)) inMemory = shown;
        for (const MeasuredRun& run : runs) inMemory = layRunOver(inMemory, run).report;
        shown = *inMemory;
    }
    if (!out.saved()) return out;
    // Every run but one just measured that took all it measured is named: the others were told
    // as not saved, or carried from before an interruption. Results kept aside are the program's
    // own doing, which standard error hears of too.
    for (std::size_t i = 0, aside = 0; i < laid.laid.size(); ++i) {
        const RunLayOver& run = laid.laid[i];
        if (runs[i].justMeasured && !run.aside) continue;
        const std::string told = toldOf("the run of " + iso8601(runs[i].results.completedAt), run, storedAt,
                                        run.aside ? &laid.keptAside[aside++] : nullptr);
        run.aside ? log::notice(logCategory, told) : log::info(logCategory, told);
    }
    out.keptAside = laid.keptAside;
    return out;
}

std::optional<FinalBenchmarkReport> ResultStore::loadReport(SaveResult* rewritten) const {
    auto decoded = readStored<FinalBenchmarkReport>(fileURL(reportFile), wholeReport);
    if (!decoded.value || !decoded.leftOutCpu()) return decoded.value;
    rescore(*decoded.value);
    // A later version's result isn't this version's to drop: the file stays as it is.
    if (decoded.cpu == CpuVersion::older) {
        // Read again under the lock: a report saved meanwhile (by the window, while the
        // command line read) is newer, and left as it is.
        const SaveResult saved = changeReport(fileURL(reportFile), [](const StoredReport& again) {
            return again.cpu == CpuVersion::older ? again.value : std::nullopt;
        });
        if (rewritten) *rewritten = saved;
    }
    return decoded.value;
}

SessionSave ResultStore::saveSession(const BenchmarkSession& session, const SystemSpecs& specs) const {
    SessionSave out;
    const auto file = fileURL(sessionFile);
    if (!file) {
        out.result = jsonfile::saveWithoutFolder(sessionFile, logCategory);
        return out;
    }
    bool looked = false;
    out.result = jsonfile::whileLocked(*file, logCategory, [&]() -> SaveResult {
        looked = true;
        std::error_code ec;
        if (fs::exists(fs::symlink_status(*file, ec))) {
            const auto text = readWholeFile(*file);
            const auto stored = text ? decode<BenchmarkSession>(*text, sessionReport) : Decoded<BenchmarkSession>{};
            // This session's own earlier save is replaced unless this version would drop from it
            // what it can't read; anything else only once it is safe elsewhere.
            Handover handover{.keepAsideWhy = text ? problemIn(stored) : std::optional<std::string>(unreadable)};
            if (stored.value && stored.value->sessionID != session.sessionID) handover = handoverOf(stored, specs);
            if (handover.layOver) {
                bool changed = false;
                const SaveResult laid = layOverReport(fileURL(reportFile), *stored.value, specs, changed, out.keptAside);
                if (!laid.saved()) {
                    out.standing = StandingSession::finishedRun;
                    return laid;
                }
                out.reportChanged = changed;
            }
            if (handover.keepAsideWhy) {
                const SaveResult aside = jsonfile::keepFileAside(*file, logCategory, *handover.keepAsideWhy);
                if (!aside.saved()) {
                    out.standing = StandingSession::otherRun;
                    return aside;
                }
            }
        }
        return jsonfile::save(*file, session.toJson(), logCategory);
    });
    if (!looked && !out.result.saved() && standsUnlooked(*file)) out.standing = StandingSession::unlooked;
    return out;
}

std::optional<BenchmarkSession> ResultStore::loadResumableSession(const SystemSpecs& specs, bool* reportChanged,
                                                                  std::vector<fs::path>* keptAside) const {
    auto decoded = readStored<BenchmarkSession>(fileURL(sessionFile), sessionReport);
    if (!decoded.value) return std::nullopt;
    BenchmarkSession& session = *decoded.value;
    const Handover handover = handoverOf(decoded, specs);
    if (handover.layOver) {
        // A run whose end was cut short between its last two saves, or whose report couldn't be
        // saved: its results go into the report before the session goes.
        bool changed = false;
        std::vector<fs::path> aside;
        const SaveResult laid = layOverReport(fileURL(reportFile), session, specs, changed, aside);
        if (reportChanged) *reportChanged = laid.saved() && changed;
        if (keptAside) *keptAside = aside;
        // Not saved, the session stays and the next start tries again.
        if (!laid.saved()) return std::nullopt;
        if (!handover.keepAsideWhy) {
            clearSession(session.sessionID);
            return std::nullopt;
        }
    }
    if (handover.keepAsideWhy && handover.alsoAtStart) {
        // Its results may be the only copy of that machine's run, or of a later version's result.
        whileSessionStored(session.sessionID, [&handover](const fs::path& file) {
            return jsonfile::keepFileAside(file, logCategory, *handover.keepAsideWhy);
        });
        return std::nullopt;
    }
    // One whose machine can't be told is kept, not offered: a failed probe must not cost the
    // user the run.
    if (!session.isResumable(specs)) return std::nullopt;
    if (decoded.leftOutCpu()) {
        rescore(session.results);
        // A step whose result is left out is no step done: it runs again when the run resumes.
        std::erase(session.completedSteps, TestModule::cpuBenchmark);
        session.stepStatus.erase(std::string(stepID(TestModule::cpuBenchmark)));
    }
    return decoded.value;
}

SaveResult ResultStore::clearSession(const std::optional<std::string>& onlySessionID) const {
    return whileSessionStored(onlySessionID, [](const fs::path& file) -> SaveResult {
        std::error_code ec;
        if (fs::remove(file, ec) || !ec) return {};
        log::error(logCategory, std::string("couldn't remove ") + sessionFile + ": " + ec.message());
        return SaveResult::failed(file, ec);
    });
}

SaveResult ResultStore::whileSessionStored(const std::optional<std::string>& onlySessionID,
                                           const std::function<SaveResult(const fs::path&)>& action) const {
    const auto file = fileURL(sessionFile);
    if (!file) return {};
    std::error_code ec;
    const auto status = fs::symlink_status(*file, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) {
        // A look refused (the folder closed to its user) is no proof the file is gone.
        log::error(logCategory, std::string("couldn't look for ") + sessionFile + ": " + ec.message());
        return SaveResult::failed(*file, ec);
    }
    if (!fs::exists(status)) return {};
    // Under the lock of a session's save: one saved by another process between the look at
    // the file and the action stays.
    return jsonfile::whileLocked(*file, logCategory, [&]() -> SaveResult {
        if (onlySessionID) {
            const auto stored = jsonfile::load(*file);
            if (!stored || !stored->is_object() || stored->value("session_id", json::Json()) != *onlySessionID)
                return {};
        }
        return action(*file);
    });
}

SaveResult ResultStore::saveStorageResult(const StorageBenchmarkResult& result) const {
    return save(storageFile, result.toJson(), problemOf<StorageBenchmarkResult>(noReport));
}

std::optional<StorageBenchmarkResult> ResultStore::loadStorageResult() const {
    return readStored<StorageBenchmarkResult>(fileURL(storageFile), noReport).value;
}

} // namespace zantiva
