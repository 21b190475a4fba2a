#include "CLI/StorageMode.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "CLI/ProgressLine.h"
#include "CLI/ResultLines.h"
#include "Engines/StorageBenchmarkEngine.h"
#include "Engines/StorageBenchmarkFailure.h"

namespace zantiva {
namespace {

std::string_view phaseKey(StorageTestProfile profile, bool isWrite) {
    switch (profile) {
    case StorageTestProfile::seq1MQ8T1: return isWrite ? "Ssd.Phase.SeqWrite" : "Ssd.Phase.SeqRead";
    case StorageTestProfile::rnd4KQ32T1: return isWrite ? "Ssd.Phase.RndWrite" : "Ssd.Phase.RndRead";
    case StorageTestProfile::rnd4KQ1T1: return isWrite ? "Ssd.Phase.Rnd1Write" : "Ssd.Phase.Rnd1Read";
    }
    return {};
}

std::string progressText(const Loc& loc, const StorageBenchmarkProgress& p, int run, bool settling, int runs) {
    std::string text;
    if (settling) text = loc.t("Ssd.Phase.Settling");
    else if (run == 0) text = loc.t("Ssd.Phase.Preparing");
    else text = loc.f(phaseKey(p.profile, p.isWrite), run, runs) + ", " + posixNumber(p.currentThroughputMBps, 1) + " MB/s";
    return text + " (" + std::to_string(static_cast<int>(p.percentComplete())) + "%)";
}

std::string directionText(bool isWrite) { return isWrite ? "write" : "read"; }

// An absolute folder without a trailing separator, as the result records it. A relative one
// can't be made absolute from a working folder that was removed: that folder isn't there.
std::filesystem::path targetFolder(const CommandLine& commandLine) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::absolute(commandLine.value("--ssd").value_or("."), error);
    if (error) throw StorageBenchmarkFailure(StorageBenchmarkFailure::Kind::targetUnavailable);
    folder = folder.lexically_normal();
    if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
    return folder;
}

} // namespace

void printStorageResultLines(std::ostream& out, const StorageBenchmarkResult& result) {
    for (const auto& test : StorageBenchmarkEngine::tests) {
        const auto& m = result.measurement(test.profile, test.isWrite);
        if (!m) continue;
        out << rawValue(test.profile) << ' ' << directionText(test.isWrite) << ": " << posixNumber(m->mbps, 1)
            << " MB/s, " << posixNumber(m->iops, 1) << " IOPS, " << posixNumber(m->averageLatencyMs, 3) << " ms\n";
    }
    // The measurements are printed above; the record's other fields follow as name: value.
    StorageBenchmarkResult rest = result;
    for (const auto& test : StorageBenchmarkEngine::tests) rest.measurement(test.profile, test.isWrite).reset();
    printResultLines(out, rest.toJson());
}

int runStorageMode(const CommandLine& commandLine, CliContext& context) {
    const StorageBenchmarkConfiguration configuration =
        commandLine.has("--quick") ? quickStorageConfiguration : StorageBenchmarkConfiguration::standard();
    const int runs = std::max(configuration.runsPerTest, 1);
    const StorageBenchmarkEngine engine(configuration, context.activity);
    ProgressLine line(context.err, context.errIsTerminal, context.errColumns);
    StorageBenchmarkResult result;
    try {
        result = engine.run(
            targetFolder(commandLine),
            [&](const StorageBenchmarkProgress& p, int run, bool settling) {
                line.update(progressText(context.loc, p, run, settling, runs));
            },
            CancelToken());
    } catch (const StorageBenchmarkFailure& failure) {
        line.clear();
        return printFailure(context.out, context.loc.resolve(failure.userMessage()));
    }
    line.clear();

    printStorageResultLines(context.out, result);
    return 0;
}

} // namespace zantiva
