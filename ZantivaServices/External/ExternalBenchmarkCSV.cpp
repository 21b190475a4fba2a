#include "External/ExternalBenchmarkCSV.h"

#include <functional>
#include <vector>

#include "External/CsvCells.h"
#include "Model/JsonFile.h"

namespace zantiva::ExternalBenchmarkCSV {
namespace {

using csv::line;
using csv::numberCell;
using csv::textCell;

constexpr std::string_view ownName = "Zantiva Diagnostics";

std::string score(const std::optional<double>& value) { return value ? numberCell(*value, 1) : std::string(); }

struct StorageRow {
    const char* label;
    std::optional<StorageTestMeasurement> StorageBenchmarkResult::*measurement;
};

constexpr StorageRow storageRows[] = {
    {"Sequential read", &StorageBenchmarkResult::seqRead},
    {"Sequential write", &StorageBenchmarkResult::seqWrite},
    {"Random read QD32", &StorageBenchmarkResult::randomQ32Read},
    {"Random write QD32", &StorageBenchmarkResult::randomQ32Write},
    {"Random read QD1", &StorageBenchmarkResult::randomQ1Read},
    {"Random write QD1", &StorageBenchmarkResult::randomQ1Write},
};

} // namespace

std::string text(const std::map<ExternalBenchmarkApp, ExternalBenchmarkResult>& results,
                 const std::optional<std::string>& geekbenchVersion, const std::optional<FinalBenchmarkReport>& report,
                 const std::optional<StorageBenchmarkResult>& storage, const std::optional<SystemSpecs>& specs, Date date) {
    std::string out = line({"CPU", "Single-core", "Multi-core", "Recorded"});
    for (const auto& [app, result] : results)
        if (result.singleCoreScore || result.multiCoreScore)
            out += line({textCell(displayName(app, geekbenchVersion)), score(result.singleCoreScore),
                         score(result.multiCoreScore), iso8601(result.recordedAt)});
    if (report && report->cpuResult)
        out += line({std::string(ownName), score(report->cpuResult->singleCoreScore), score(report->cpuResult->score),
                     iso8601(report->completedAt)});

    out += "\r\n" + line({"GPU", "Score", "Recorded"});
    for (const auto& [app, result] : results)
        if (result.gpuScore)
            out += line({textCell(displayName(app, geekbenchVersion)), score(result.gpuScore), iso8601(result.recordedAt)});
    if (report && report->gpuResult)
        out += line({std::string(ownName), score(report->gpuResult->score), iso8601(report->completedAt)});

    out += "\r\n" + line({"Storage", "MB/s", "IOPS", "Latency (ms)"});
    if (storage)
        for (const StorageRow& row : storageRows)
            if (const auto& m = (*storage).*(row.measurement))
                out += line({row.label, numberCell(m->mbps, 1), numberCell(m->iops, 0), numberCell(m->averageLatencyMs, 3)});

    out += "\r\n" + line({"Device", "Value"});
    if (specs) {
        out += line({"Model", textCell(specs->model)});
        out += line({"CPU", textCell(specs->cpuName)});
        out += line({"CPU cores", numberCell(double(specs->cpuCores), 0)});
        out += line({"RAM (GB)", numberCell(specs->ramCapacityGB, 0)});
        out += line({"GPU", textCell(specs->gpuName)});
        out += line({"Operating system", textCell(specs->operatingSystem)});
    }
    out += line({"Exported", iso8601(date)});
    return out;
}

bool write(std::string_view text, const std::filesystem::path& file) {
    // The export is the user's to share: it keeps the mode their umask gives.
    return jsonfile::saveText(file, std::string("\xEF\xBB\xBF") + std::string(text), "external",
                              FileAccess::userUmask)
        .saved();
}

} // namespace zantiva::ExternalBenchmarkCSV
