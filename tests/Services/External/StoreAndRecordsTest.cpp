// The store on real files, the plans and the page-score reading.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "External/ExternalBenchmarkPlan.h"
#include "External/ExternalBenchmarkStore.h"
#include "External/GeekbenchOutput.h"
#include "Model/JsonFile.h"
#include "Platform/AtomicFile.h"
#include "../../Support/DeepJson.h"
#include "../../Support/TemporaryFolder.h"

namespace zantiva {
namespace {

using App = ExternalBenchmarkApp;
using ExternalBenchmarkPlan::Cooldown;
using ExternalBenchmarkPlan::Item;

const Date someDate = *parseIso8601("2026-12-06T20:00:00Z");

TEST(ExternalBenchmarkPlanTest, FullRunRestsOnlyBetweenTheTwoCinebenchVersions) {
    const App all[] = {App::cinebench2026, App::geekbench, App::cinebench2024};
    const auto plan = ExternalBenchmarkPlan::fullRun(all);
    ASSERT_EQ(plan.size(), 8u);
    EXPECT_EQ(plan[0], Item(ExternalBenchmarkStep{App::geekbench, ExternalTestKind::cpuSingleCore}));
    EXPECT_EQ(plan[1], Item(ExternalBenchmarkStep{App::geekbench, ExternalTestKind::gpu}));
    EXPECT_EQ(plan[4], Item(Cooldown{App::cinebench2026}));
    EXPECT_EQ(plan[7], Item(ExternalBenchmarkStep{App::cinebench2026, ExternalTestKind::gpu}));

    const App notTogether[] = {App::geekbench, App::cinebench2026};
    for (const Item& item : ExternalBenchmarkPlan::fullRun(notTogether))
        EXPECT_FALSE(std::holds_alternative<Cooldown>(item));
}

class StoreTest : public ::testing::Test {
protected:
    testing::TemporaryFolder folder;
    std::filesystem::path file() const { return folder / ExternalBenchmarkStore::fileName; }
};

TEST_F(StoreTest, EveryChangeIsOnDiskAndReadBack) {
    const ExternalBenchmarkInstallation installation{App::geekbench, "/opt/Geekbench-6.3.0-Linux",
                                                     "/opt/Geekbench-6.3.0-Linux/geekbench6", "6.3.0", {}};
    const PendingGeekbenchResult first{"https://browser.geekbench.com/v6/cpu/1", false, someDate};
    const PendingGeekbenchResult second{"https://browser.geekbench.com/v6/compute/2", true, someDate};
    {
        ExternalBenchmarkStore store(folder.path());
        EXPECT_EQ(store.settings(App::geekbench), ExternalBenchmarkAppSettings{});
        store.setInstallation(installation, App::geekbench);
        store.setResult({1000.0, 5000.0, std::nullopt, someDate}, App::geekbench);
        store.addPending(first, App::geekbench);
        store.addPending(second, App::geekbench);
        store.setResult({std::nullopt, 800.5, std::nullopt, someDate}, App::cinebench2024);
    }
    ExternalBenchmarkStore reopened(folder.path());
    const auto geekbench = reopened.settings(App::geekbench);
    EXPECT_EQ(geekbench.installation, installation);
    EXPECT_EQ(geekbench.pendingResults, (std::vector{first, second}));
    EXPECT_EQ(reopened.settings(App::cinebench2024).lastResult->multiCoreScore, 800.5);

    // The recovered GPU score joins the CPU scores; only that upload stops being pending.
    const Date later = someDate + std::chrono::hours(1);
    const auto merged = reopened.applyRecovered({std::nullopt, std::nullopt, 42000.0, later}, second, App::geekbench);
    EXPECT_EQ(merged, (ExternalBenchmarkResult{1000.0, 5000.0, 42000.0, later}));
    ExternalBenchmarkStore again(folder.path());
    EXPECT_EQ(again.settings(App::geekbench).lastResult, merged);
    EXPECT_EQ(again.settings(App::geekbench).pendingResults, std::vector{first});

    reopened.setInstallation(std::nullopt, App::geekbench);
    EXPECT_FALSE(ExternalBenchmarkStore(folder.path()).settings(App::geekbench).installation);
}

TEST_F(StoreTest, AnUnreadableFileIsAnEmptyStoreAndABrokenRecordCostsOnlyItsApplication) {
    std::ofstream(file()) << "{ not json";
    EXPECT_EQ(ExternalBenchmarkStore(folder.path()).settings(App::geekbench), ExternalBenchmarkAppSettings{});

    std::ofstream(file()) << R"({"geekbench": {"installation": {"app": "geekbench"}},
                                 "cinebench2026": {"lastResult": {"gpuScore": 12.5, "recordedAt": "2026-12-06T20:00:00Z"}}})";
    ExternalBenchmarkStore store(folder.path());
    EXPECT_FALSE(store.settings(App::geekbench).installation);
    EXPECT_EQ(store.settings(App::cinebench2026).lastResult->gpuScore, 12.5);
}

TEST_F(StoreTest, AFileWhoseChangedRecordDoesntDecodeIsKeptAsideBeforeTheSave) {
    const std::string broken = R"({"geekbench": {"installation": {"app": "geekbench"}, "pinned": true}})";
    std::ofstream(file()) << broken;
    ExternalBenchmarkStore(folder.path()).setResult({1.0, 2.0, 3.0, someDate}, App::geekbench);
    std::ifstream kept(folder / (std::string(ExternalBenchmarkStore::fileName) + ".bad"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), broken);
    EXPECT_EQ(ExternalBenchmarkStore(folder.path()).settings(App::geekbench).lastResult->gpuScore, 3.0);
    EXPECT_EQ(jsonfile::load(file())->at("geekbench").value("pinned", false), true) << "a key this version doesn't know";
}

// A broken record that a save writes back loses nothing, so it isn't kept aside again at
// every save (a copy each time, until every name is taken and no save works any more).
TEST_F(StoreTest, ABrokenRecordWrittenBackIsKeptAsideOnlyBySavesThatChangeIt) {
    const json::Json broken = json::Json::parse(R"({"geekbench": {"installation": {"app": "geekbench"}}})");
    testing::writeRaw(file(), broken.dump());
    const auto asideCount = [&] {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            count += entry.path().filename().string().starts_with(std::string(ExternalBenchmarkStore::fileName) + ".bad");
        return count;
    };
    for (int run = 0; run < 3; ++run) {
        ExternalBenchmarkStore store(folder.path());
        ASSERT_TRUE(store.setResult({1.0, 2.0, double(run), someDate}, App::cinebench2026).saved());
        ASSERT_TRUE(store.setResult({3.0, 4.0, double(run), someDate}, App::cinebench2024).saved());
    }
    EXPECT_EQ(asideCount(), 0u);
    EXPECT_EQ(jsonfile::load(file())->at("geekbench"), broken["geekbench"]);

    ExternalBenchmarkStore(folder.path()).setResult({5.0, 6.0, 7.0, someDate}, App::geekbench);
    ExternalBenchmarkStore(folder.path()).setResult({5.0, 6.0, 8.0, someDate}, App::geekbench);
    EXPECT_EQ(asideCount(), 1u);
    EXPECT_EQ(ExternalBenchmarkStore(folder.path()).settings(App::geekbench).lastResult->gpuScore, 8.0);
}

// A key nested deeper than any record would be compared, copied and written back by calls
// that recurse as deep, past the stack: such a file can't be read, and is kept aside.
TEST_F(StoreTest, AFileNestedDeeperThanAnyRecordIsKeptAsideNotWrittenBack) {
    const std::string text = R"({"deep":)" + testing::deeplyNestedJson() + "}";
    testing::writeRaw(file(), text);
    ExternalBenchmarkStore store(folder.path());
    EXPECT_EQ(store.settings(App::geekbench), ExternalBenchmarkAppSettings{});
    EXPECT_EQ(store.settings(App::geekbench), ExternalBenchmarkAppSettings{});
    ASSERT_TRUE(store.setResult({1.0, 2.0, 3.0, someDate}, App::geekbench).saved());
    EXPECT_EQ(readWholeFile(folder / (std::string(ExternalBenchmarkStore::fileName) + ".bad")), text);
    EXPECT_EQ(ExternalBenchmarkStore(folder.path()).settings(App::geekbench).lastResult->gpuScore, 3.0);
}

// A file written by a newer version: a save replaces only the record it changes, and what
// this version doesn't know (another application's record, other keys of a record) is
// written back as it was read.
TEST_F(StoreTest, ASaveKeepsTheRecordsAndKeysThisVersionDoesntKnow) {
    const json::Json newer = json::Json::parse(R"({
        "cinebench2030": {"installation": {"app": "cinebench2030", "executablePath": "/opt/cb30/run"},
                          "lastResult": {"multiCoreScore": 900, "recordedAt": "2026-12-06T20:00:00Z"},
                          "pendingResults": [{"url": "https://example.com/r/1", "isGPU": false, "uploadedAt": "2026-12-06T20:00:00Z"}]},
        "geekbench": {"lastResult": {"gpuScore": 5, "recordedAt": "2026-12-06T20:00:00Z"}, "pinned": true},
        "cinebench2024": {"lastResult": {"gpuScore": 7, "recordedAt": "2026-12-06T20:00:00Z"}, "note": "kept"},
        "format": 2})");
    testing::writeRaw(file(), newer.dump());
    ExternalBenchmarkStore store(folder.path());
    ASSERT_TRUE(store.setResult({1.0, 2.0, 3.0, someDate}, App::geekbench).saved());

    json::Json expected = newer;
    expected["geekbench"]["lastResult"] = ExternalBenchmarkResult{1.0, 2.0, 3.0, someDate}.toJson();
    EXPECT_EQ(jsonfile::load(file()), expected) << "no pending list added where the file had none";
    EXPECT_FALSE(std::filesystem::exists(folder / (std::string(ExternalBenchmarkStore::fileName) + ".bad")));
}

// A newer version's keys inside a record stay at every level through each kind of change, and
// what no change touched (an upload's time written with an offset) is written back as read.
TEST_F(StoreTest, AChangedRecordKeepsTheKeysThisVersionDoesntKnowAtEveryLevel) {
    const json::Json newer = json::Json::parse(R"({"geekbench": {"pinned": true,
        "installation": {"app": "geekbench", "executablePath": "/opt/gb/geekbench6", "version": "6.3.0", "arch": "arm"},
        "lastResult": {"singleCoreScore": 1000, "multiCoreScore": 5000, "openclScore": 30000,
                       "recordedAt": "2026-12-06T20:00:00Z"},
        "pendingResults": [
            {"url": "https://browser.geekbench.com/v6/compute/1", "isGPU": true, "uploadedAt": "2026-12-06T22:00:00+02:00",
             "backend": "vulkan"},
            {"url": "https://browser.geekbench.com/v6/compute/2", "isGPU": true, "uploadedAt": "2026-12-06T20:00:00Z"}]}})");
    testing::writeRaw(file(), newer.dump());
    const Date later = someDate + std::chrono::hours(1);
    const PendingGeekbenchResult added{"https://browser.geekbench.com/v6/cpu/3", false, later};
    ExternalBenchmarkStore store(folder.path());
    const auto stored = store.settings(App::geekbench);
    ASSERT_EQ(stored.pendingResults.size(), 2u);

    ASSERT_TRUE(store.setResult({std::nullopt, 5500.0, std::nullopt, later}, App::geekbench).saved());
    ASSERT_TRUE(store.addPending(added, App::geekbench).saved());
    store.applyRecovered({std::nullopt, std::nullopt, 42000.0, later}, stored.pendingResults[1], App::geekbench);
    ExternalBenchmarkInstallation updated = *stored.installation;
    updated.version = "6.4.0";
    ASSERT_TRUE(store.setInstallation(updated, App::geekbench).saved());

    json::Json expected = newer;
    json::Json& record = expected["geekbench"];
    record["installation"]["version"] = "6.4.0";
    record["lastResult"]["multiCoreScore"] = 5500.0;
    record["lastResult"]["gpuScore"] = 42000.0;
    record["lastResult"]["recordedAt"] = iso8601(later);
    record["pendingResults"].erase(1);
    record["pendingResults"].push_back(added.toJson());
    EXPECT_EQ(jsonfile::load(file()), expected);
}

// A record that doesn't decode is logged at the first read of the file, not again at each
// later read of the same file, and again once the file changed.
TEST_F(StoreTest, ABrokenRecordIsLoggedOncePerChangeOfTheFile) {
    const auto logged = [](const auto& reads) {
        ::testing::internal::CaptureStderr();
        reads();
        const std::string text = ::testing::internal::GetCapturedStderr();
        std::size_t count = 0;
        for (auto at = text.find("ignoring the stored record"); at != std::string::npos;
             at = text.find("ignoring the stored record", at + 1))
            ++count;
        return count;
    };
    testing::writeRaw(file(), R"({"geekbench": {"installation": {"app": "geekbench"}}})");
    std::optional<ExternalBenchmarkStore> store;
    EXPECT_EQ(logged([&] {
        store.emplace(folder.path());
        for (int read = 0; read < 4; ++read) store->settings(App::geekbench);
    }), 1u);
    testing::writeRaw(file(), R"({"geekbench": {"installation": {"app": "cinebench2024"}}})");
    EXPECT_EQ(logged([&] {
        for (int read = 0; read < 4; ++read) store->settings(App::geekbench);
    }), 1u);
}

// A path stays a plain string unless it holds bytes that aren't UTF-8; then its bytes go in hex.
TEST(InstallationJson, APathIsATextOrItsBytesAndAnythingElseFailsTheRecord) {
    const json::Json stored = json::Json::parse(R"({"app": "geekbench", "executablePath": "/opt/گیک/geekbench6",
                                                    "bundlePath": {"bytes": "2f6f7074ff"}})");
    const auto installation = ExternalBenchmarkInstallation::fromJson(stored);
    EXPECT_EQ(installation.executablePath, "/opt/گیک/geekbench6");
    EXPECT_EQ(installation.bundlePath, "/opt\xff");
    EXPECT_EQ(installation.toJson(), stored);

    for (const char* path : {R"({"bytes": "2f6"})", R"({"bytes": "2F"})", R"({"bytes": "zz"})", R"({"hex": "2f"})", "7",
                             R"({"bytes": "2f636200ff2f6e6f7065"})", R"("/opt/cb\u0000/nope")"}) {
        json::Json broken = stored;
        broken["executablePath"] = json::Json::parse(path);
        EXPECT_THROW(ExternalBenchmarkInstallation::fromJson(broken), json::DecodeError) << path;
    }
}

TEST_F(StoreTest, WithoutAFolderNothingIsWritten) {
    ExternalBenchmarkStore store(std::nullopt);
    EXPECT_EQ(store.setResult({1.0, 2.0, 3.0, someDate}, App::geekbench).file, ExternalBenchmarkStore::fileName);
    EXPECT_EQ(store.settings(App::geekbench).lastResult->gpuScore, 3.0);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

// Every change says whether it was saved; one that wasn't stays in memory and goes to the
// file with the next change that can be saved.
TEST_F(StoreTest, AChangeThatCouldntBeSavedSaysSoAndIsSavedWithTheNextOne) {
    const ExternalBenchmarkInstallation installation{App::geekbench, {}, "/opt/Geekbench-6.3.0-Linux/geekbench6", "6.3.0", {}};
    const PendingGeekbenchResult pending{"https://browser.geekbench.com/v6/cpu/1", false, someDate};
    const std::filesystem::path data = folder / "data";
    testing::writeRaw(data, "a file where the folder should be");
    ExternalBenchmarkStore store(data);
    EXPECT_FALSE(store.addPending(pending, App::geekbench).saved());
    EXPECT_FALSE(store.setInstallation(installation, App::geekbench).saved());
    EXPECT_EQ(store.settings(App::geekbench).pendingResults, std::vector{pending});

    std::filesystem::remove(data);
    EXPECT_TRUE(store.setResult({1.0, 2.0, 3.0, someDate}, App::cinebench2024).saved());
    const ExternalBenchmarkStore reopened(data);
    EXPECT_EQ(reopened.settings(App::geekbench).pendingResults, std::vector{pending});
    EXPECT_EQ(reopened.settings(App::geekbench).installation, installation);
    EXPECT_EQ(reopened.settings(App::cinebench2024).lastResult->gpuScore, 3.0);
}

TEST(GeekbenchOutputTest, ResultAddressIsHttpsOnTheBrowserHostOnly) {
    using GeekbenchOutput::resultURL;
    EXPECT_EQ(resultURL("see https://browser.geekbench.com/v6/compute/42. Done"),
              "https://browser.geekbench.com/v6/compute/42");
    EXPECT_FALSE(resultURL("http://browser.geekbench.com/v6/cpu/42"));
    EXPECT_FALSE(resultURL("https://browser.example.com/v6/cpu/42"));
    EXPECT_FALSE(resultURL("https://browser.geekbench.com/v6/disk/42"));
}

TEST(GeekbenchOutputTest, PageScoresKeepOnlyFinitePositiveNumbersWithALabel) {
    const auto table = GeekbenchOutput::pageScores(
        R"([[" 2,345 ", "Single-Core Score"], ["12345", "Multi-Core Score"], ["inf", "OpenCL Score"],
            ["0", "Vulkan Score"], ["77", ""], ["99"], ["1e999", "Metal Score"]])");
    EXPECT_EQ(table, (GeekbenchOutput::ScoreTable{{"Single-Core Score", 2345}, {"Multi-Core Score", 12345}}));
    EXPECT_TRUE(GeekbenchOutput::pageScores(R"([["1", 2]])").empty());
    EXPECT_TRUE(GeekbenchOutput::pageScores("<html>").empty());
}

TEST(GeekbenchOutputTest, ResultNeedsBothCpuScoresOrOneGpuScore) {
    using GeekbenchOutput::result;
    const GeekbenchOutput::ScoreTable cpu{{"SINGLE-CORE SCORE", 2000}, {"Multi-Core Score", 9000}};
    const auto fromCpu = result(cpu, false);
    ASSERT_TRUE(fromCpu);
    EXPECT_EQ(fromCpu->singleCoreScore, 2000);
    EXPECT_EQ(fromCpu->multiCoreScore, 9000);
    EXPECT_FALSE(result({{"Single-Core Score", 2000}}, false));
    EXPECT_FALSE(result(cpu, true));

    const auto gpu = result({{"Vulkan Score", 80000}, {"OpenCL Score", 70000}, {"Metal Score x", 1}}, true);
    EXPECT_EQ(gpu->gpuScore, 70000);
}

} // namespace
} // namespace zantiva
