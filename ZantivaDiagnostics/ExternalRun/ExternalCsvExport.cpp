#include "ExternalRun/ExternalCsvExport.h"

#include <chrono>
#include <string>

#include "External/ExternalBenchmarkCSV.h"
#include "Model/ReportMachine.h"

namespace zantiva {

bool exportExternalCsv(const std::map<ExternalBenchmarkApp, ExternalBenchmarkResult>& scores,
                       const std::map<ExternalBenchmarkApp, ExternalBenchmarkInstallation>& installations,
                       const ExternalCsvSources& sources, const std::optional<std::filesystem::path>& file) {
    std::map<ExternalBenchmarkApp, ExternalBenchmarkResult> results;
    for (const auto& [app, result] : scores)
        if (result.hasAnyScore()) results.emplace(app, result);
    std::optional<std::string> geekbenchVersion;
    if (const auto geekbench = installations.find(ExternalBenchmarkApp::geekbench); geekbench != installations.end())
        geekbenchVersion = geekbench->second.version;
    // Another machine's report (a restored app folder) lends this machine's row no scores.
    const auto report = sources.report && madeOnAnotherMachine(*sources.report, sources.specs) ? std::nullopt
                                                                                                : sources.report;
    const std::string text = ExternalBenchmarkCSV::text(results, geekbenchVersion, report, sources.storage,
                                                        sources.specs, std::chrono::system_clock::now());
    return file && ExternalBenchmarkCSV::write(text, *file);
}

} // namespace zantiva
