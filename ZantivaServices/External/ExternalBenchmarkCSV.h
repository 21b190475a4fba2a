#pragma once

// The CSV export "apps benchmarks.csv": the outside scores beside the app's own CPU, GPU
// and storage results and the device, in four blocks. The layout is in docs/csv.md.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "Model/ExternalBenchmarkApp.h"
#include "Model/ExternalBenchmarkResult.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/StorageBenchmarkResult.h"
#include "Model/SystemSpecs.h"

namespace zantiva::ExternalBenchmarkCSV {

inline constexpr const char* fileName = "apps benchmarks.csv";

// The file's text (CRLF lines, no byte-order mark).
std::string text(const std::map<ExternalBenchmarkApp, ExternalBenchmarkResult>& results,
                 const std::optional<std::string>& geekbenchVersion, const std::optional<FinalBenchmarkReport>& report,
                 const std::optional<StorageBenchmarkResult>& storage, const std::optional<SystemSpecs>& specs, Date date);

// Creates the folder, then replaces the file atomically with a UTF-8 byte-order mark and
// the text. False on any error (logged).
bool write(std::string_view text, const std::filesystem::path& file);

} // namespace zantiva::ExternalBenchmarkCSV
