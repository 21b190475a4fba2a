// The CSV file of the outside scores, as the window and the command line write it beside
// this program's own last report.

#include <gtest/gtest.h>

#include "../Support/SampleSpecs.h"
#include "../Support/TemporaryFolder.h"
#include "ExternalRun/ExternalCsvExport.h"
#include "Platform/AtomicFile.h"

namespace zantiva::testing {
namespace {

// A restored app folder of another machine (or, where this machine's model isn't read, one
// whose CPU differs): its scores are not put in this program's rows as this machine's.
TEST(ExternalCsvExport, AnotherMachinesReportLendsThisMachinesRowsNoScores) {
    TemporaryFolder folder;
    const auto file = folder / "apps benchmarks.csv";
    const std::map<ExternalBenchmarkApp, ExternalBenchmarkResult> scores{
        {ExternalBenchmarkApp::cinebench2024, {.singleCoreScore = 123.5, .multiCoreScore = 123.5}}};
    SystemSpecs other = sampleLaptopSpecs();
    other.model = "ThinkPad X1 Carbon";
    other.cpuName = "Intel Core i7-1165G7";
    const FinalBenchmarkReport report{.specs = other, .cpuResult = CpuBenchmarkResult{.score = 975.3}};
    SystemSpecs unread = sampleLaptopSpecs();
    unread.model = "Unknown";
    for (const SystemSpecs& here : {sampleLaptopSpecs(), unread}) {
        EXPECT_TRUE(exportExternalCsv(scores, {}, {report, std::nullopt, here}, file));
        const std::string text = readWholeFile(file).value_or("");
        EXPECT_NE(text.find("Cinebench 2024,123.5,123.5,"), std::string::npos) << text;
        EXPECT_EQ(text.find("975.3"), std::string::npos) << text;
    }
}

} // namespace
} // namespace zantiva::testing
