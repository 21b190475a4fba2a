// The CSV file of the outside scores, as the window and the command line write it beside
// this program's own last report.

#include <gtest/gtest.h>

#include "../Support/SampleSpecs.h"
#include "../Support/TemporaryFolder.h"
#include "ExternalRun/ExternalCsvExport.h"
#include "Platform/AtomicFile.h"

namespace zantiva::testing {
namespace {

// A restored app folder of another machine: its CPU and GPU scores are not put in this
// program's rows under this machine's model and CPU. A report whose match can't be told
// (this machine's model not read this time) is this machine's.
TEST(ExternalCsvExport, AnotherMachinesReportLendsThisMachinesRowsNoScores) {
    TemporaryFolder folder;
    const auto file = folder / "apps benchmarks.csv";
    const std::map<ExternalBenchmarkApp, ExternalBenchmarkResult> scores{
        {ExternalBenchmarkApp::cinebench2024, {.singleCoreScore = 123.5, .multiCoreScore = 123.5}}};
    SystemSpecs other = sampleLaptopSpecs();
    other.model = "ThinkPad X1 Carbon";
    other.cpuName = "Intel Core i7-1165G7";
    FinalBenchmarkReport report{.specs = other, .cpuResult = CpuBenchmarkResult{.score = 975.3},
                                .gpuResult = GpuBenchmarkResult{.score = 120}};
    const auto written = [&] {
        EXPECT_TRUE(exportExternalCsv(scores, {}, {report, std::nullopt, sampleLaptopSpecs()}, file));
        return readWholeFile(file).value_or("");
    };

    std::string text = written();
    EXPECT_NE(text.find("Cinebench 2024,123.5,123.5,"), std::string::npos) << text;
    EXPECT_EQ(text.find("Zantiva Diagnostics"), std::string::npos) << text;
    EXPECT_EQ(text.find("975.3"), std::string::npos) << text;
    EXPECT_NE(text.find("Laptop 13"), std::string::npos) << "this machine's model stays: " << text;

    // Nor where this machine's model isn't read (a virtual machine) but the CPUs differ.
    SystemSpecs unread = sampleLaptopSpecs();
    unread.model = "Unknown";
    EXPECT_TRUE(exportExternalCsv(scores, {}, {report, std::nullopt, unread}, file));
    EXPECT_EQ(readWholeFile(file).value_or("").find("975.3"), std::string::npos);

    report.specs->model = "Unknown";
    report.specs->cpuName = sampleLaptopSpecs().cpuName;
    text = written();
    EXPECT_NE(text.find("Zantiva Diagnostics,0.0,975.3,"), std::string::npos) << text;
}

} // namespace
} // namespace zantiva::testing
