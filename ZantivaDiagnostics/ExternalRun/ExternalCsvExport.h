#pragma once

#include <filesystem>
#include <map>
#include <optional>

#include "External/ExternalBenchmarkInstallation.h"
#include "ExternalRun/ExternalRunnerHost.h"
#include "Model/ExternalBenchmarkResult.h"

namespace zantiva {

// Writes the CSV file of the outside scores that hold a score, beside what the sources
// add; false when there is no file to write (no home folder) or writing it failed.
bool exportExternalCsv(const std::map<ExternalBenchmarkApp, ExternalBenchmarkResult>& scores,
                       const std::map<ExternalBenchmarkApp, ExternalBenchmarkInstallation>& installations,
                       const ExternalCsvSources& sources, const std::optional<std::filesystem::path>& file);

} // namespace zantiva
