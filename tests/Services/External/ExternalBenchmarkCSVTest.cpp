// The CSV export against its golden text, and the file as written.

#include <cmath>
#include <filesystem>
#include <limits>
#include <string_view>
#include <sys/stat.h>
#include <vector>

#include <gtest/gtest.h>

#include "External/CsvCells.h"
#include "External/ExternalBenchmarkCSV.h"
#include "Platform/AtomicFile.h"
#include "../../Support/TemporaryFolder.h"

namespace zantiva {
namespace {

using App = ExternalBenchmarkApp;

const Date recorded = *parseIso8601("2026-12-06T20:00:00Z");
const Date exported = *parseIso8601("2026-12-06T21:30:00Z");

TEST(ExternalBenchmarkCSVTest, AllFourBlocksMatchTheGoldenText) {
    const std::map<App, ExternalBenchmarkResult> results{
        {App::geekbench, {2345.0, 12345.04, 81000.06, recorded}},
        {App::cinebench2024, {123.45, std::nullopt, std::nullopt, recorded}},
    };
    FinalBenchmarkReport report;
    report.completedAt = recorded;
    report.cpuResult = CpuBenchmarkResult{};
    report.cpuResult->score = 1520.25;
    report.cpuResult->singleCoreScore = 180.5;
    report.gpuResult = GpuBenchmarkResult{};
    report.gpuResult->score = 97.0;
    StorageBenchmarkResult storage;
    storage.seqRead = StorageTestMeasurement{3012.345, 2873.4, 0.348};
    storage.randomQ1Write = StorageTestMeasurement{95.5, 23315.9, 0.0429};
    SystemSpecs specs;
    specs.model = "=HYPERLINK(\"x\")";
    specs.cpuName = "AMD Ryzen 7 7840U, 8 cores";
    specs.cpuCores = 8;
    specs.ramCapacityGB = 32;
    specs.gpuName = "AMD Radeon 780M";
    specs.operatingSystem = "Debian GNU/Linux 12 (bookworm)";

    const std::string text = ExternalBenchmarkCSV::text(results, "6.3.0", report, storage, specs, exported);
    EXPECT_EQ(text,
              "CPU,Single-core,Multi-core,Recorded\r\n"
              "Geekbench 6.3.0,2345.0,12345.0,2026-12-06T20:00:00Z\r\n"
              "Cinebench 2024,123.5,,2026-12-06T20:00:00Z\r\n"
              "Zantiva Diagnostics,180.5,1520.3,2026-12-06T20:00:00Z\r\n"
              "\r\n"
              "GPU,Score,Recorded\r\n"
              "Geekbench 6.3.0,81000.1,2026-12-06T20:00:00Z\r\n"
              "Zantiva Diagnostics,97.0,2026-12-06T20:00:00Z\r\n"
              "\r\n"
              "Storage,MB/s,IOPS,Latency (ms)\r\n"
              "Sequential read,3012.3,2873,0.348\r\n"
              "Random write QD1,95.5,23316,0.043\r\n"
              "\r\n"
              "Device,Value\r\n"
              "Model,\"'=HYPERLINK(\"\"x\"\")\"\r\n"
              "CPU,\"AMD Ryzen 7 7840U, 8 cores\"\r\n"
              "CPU cores,8\r\n"
              "RAM (GB),32\r\n"
              "GPU,AMD Radeon 780M\r\n"
              "Operating system,Debian GNU/Linux 12 (bookworm)\r\n"
              "Exported,2026-12-06T21:30:00Z\r\n");
}

TEST(ExternalBenchmarkCSVTest, WithNothingKnownOnlyHeadersAndTheDateRemain) {
    EXPECT_EQ(ExternalBenchmarkCSV::text({}, std::nullopt, std::nullopt, std::nullopt, std::nullopt, exported),
              "CPU,Single-core,Multi-core,Recorded\r\n\r\nGPU,Score,Recorded\r\n\r\n"
              "Storage,MB/s,IOPS,Latency (ms)\r\n\r\nDevice,Value\r\nExported,2026-12-06T21:30:00Z\r\n");
}

TEST(ExternalBenchmarkCSVTest, FormulaStartsAreNeutralisedAndSpecialCharactersQuoted) {
    EXPECT_EQ(csv::textCell("+1"), "'+1");
    EXPECT_EQ(csv::textCell("-cmd"), "'-cmd");
    EXPECT_EQ(csv::textCell("@SUM(A1)"), "'@SUM(A1)");
    EXPECT_EQ(csv::textCell("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csv::textCell("a \"b\""), "\"a \"\"b\"\"\"");
    EXPECT_EQ(csv::textCell("plain"), "plain");
}

// The rows of an RFC 4180 text as a spreadsheet reads them.
std::vector<std::vector<std::string>> readBack(std::string_view text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto& row = rows.back();
        const char c = text[i];
        const bool next = i + 1 < text.size();
        if (quoted && c == '"' && next && text[i + 1] == '"') {
            row.back() += '"';
            ++i;
        } else if (c == '"' && (quoted || row.back().empty())) {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            row.emplace_back();
        } else if (!quoted && c == '\r' && next && text[i + 1] == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            row.back() += c;
        }
    }
    rows.pop_back(); // what follows the last line break
    return rows;
}

TEST(ExternalBenchmarkCSVTest, InvalidUtf8BecomesReplacementCharactersAndEveryCellReadsBack) {
    SystemSpecs specs;
    specs.model = "Laptop \xC3( 14";                  // a lead byte without its continuation
    specs.cpuName = "AMD \"Ryzen\", 8\r\ncores \xE2\x82"; // quoted, and cut inside a character
    specs.cpuCores = 8;
    specs.ramCapacityGB = 32;
    specs.gpuName = "=Radeon \xC0\xAF\xFF";           // overlong form and a byte that never occurs
    specs.operatingSystem = "\xD8\xAF\xD8\xA8\xDB\x8C\xD8\xA7\xD9\x86 12"; // valid, kept as it is
    const std::string text = ExternalBenchmarkCSV::text({}, std::nullopt, std::nullopt, std::nullopt, specs, exported);
    const std::string r = "\xEF\xBF\xBD";
    const std::vector<std::vector<std::string>> device = {
        {"Device", "Value"},
        {"Model", "Laptop " + r + "( 14"},
        {"CPU", "AMD \"Ryzen\", 8\r\ncores " + r},
        {"CPU cores", "8"},
        {"RAM (GB)", "32"},
        {"GPU", "'=Radeon " + r + r + r},
        {"Operating system", specs.operatingSystem},
        {"Exported", "2026-12-06T21:30:00Z"},
    };
    const auto rows = readBack(text);
    ASSERT_GE(rows.size(), device.size());
    EXPECT_EQ(std::vector(rows.end() - std::ptrdiff_t(device.size()), rows.end()), device);
}

TEST(ExternalBenchmarkCSVTest, AMeasurementThatIsNotFiniteLeavesItsCellsEmpty) {
    StorageBenchmarkResult storage;
    storage.seqWrite = StorageTestMeasurement{-std::numeric_limits<double>::infinity(), std::nan(""), 0.5};
    const std::string text = ExternalBenchmarkCSV::text({}, std::nullopt, std::nullopt, storage, std::nullopt, exported);
    EXPECT_NE(text.find("Sequential write,,,0.500\r\n"), std::string::npos) << text;
}

TEST(ExternalBenchmarkCSVTest, WriteMakesTheFolderAndStartsWithAByteOrderMark) {
    testing::TemporaryFolder folder;
    const auto file = folder / "new/apps benchmarks.csv";
    ASSERT_TRUE(ExternalBenchmarkCSV::write("CPU\r\n", file));
    EXPECT_EQ(readWholeFile(file), "\xEF\xBB\xBF" "CPU\r\n");
    EXPECT_FALSE(ExternalBenchmarkCSV::write("x", "/proc/no-such-place/file.csv"));

    // The export is the user's to share: its mode is what their umask gives, in a folder
    // that stays the program's own.
    const mode_t previous = ::umask(022);
    ASSERT_TRUE(ExternalBenchmarkCSV::write("CPU\r\n", file));
    ::umask(previous);
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0644));
    EXPECT_EQ(std::filesystem::status(file.parent_path()).permissions(), std::filesystem::perms(0700));
}

} // namespace
} // namespace zantiva
