// Several processes writing one store at once, as the window and command-line runs do:
// each has its own store object, made before any of them writes, and none may lose what
// another stored.

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>

#include "../../Support/HeldLock.h"
#include "../../Support/TemporaryFolder.h"
#include "../../Support/WritersAtOnce.h"
#include "External/ExternalBenchmarkStore.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using App = ExternalBenchmarkApp;

const Date someDate = *parseIso8601("2026-12-06T20:00:00Z");

std::string pageOf(int round) { return "https://browser.geekbench.com/v6/cpu/" + std::to_string(1000 + round); }

// A writer with a store of its own, opened before any writer writes.
testing::WritersAtOnce::Ready writer(const fs::path& folder, std::function<SaveResult(ExternalBenchmarkStore&)> write) {
    return [folder, write] {
        auto store = std::make_shared<ExternalBenchmarkStore>(folder);
        return std::function<bool()>([store, write] { return write(*store).saved(); });
    };
}

TEST(StoreWritersTest, TenPairsOfRunsAtOnceKeepEveryResult) {
    testing::TemporaryFolder folder;
    ExternalBenchmarkStore window(folder.path()); // open all along, as the window is
    int bothKept = 0;
    for (int round = 1; round <= 10; ++round) {
        testing::WritersAtOnce pair;
        pair.start(writer(folder.path(), [round](ExternalBenchmarkStore& store) {
            store.addPending({pageOf(round), false, someDate}, App::geekbench);
            return store.setResult({double(round), double(round), std::nullopt, someDate}, App::geekbench);
        }));
        pair.start(writer(folder.path(), [round](ExternalBenchmarkStore& store) {
            return store.setResult({double(round), double(round), std::nullopt, someDate}, App::cinebench2024);
        }));
        EXPECT_EQ(pair.release(), 2);
        const ExternalBenchmarkStore reopened(folder.path());
        const auto geekbench = reopened.settings(App::geekbench).lastResult;
        const auto cinebench = reopened.settings(App::cinebench2024).lastResult;
        if (geekbench && geekbench->singleCoreScore == round && cinebench && cinebench->singleCoreScore == round)
            ++bothKept;
    }
    EXPECT_EQ(bothKept, 10);
    EXPECT_EQ(ExternalBenchmarkStore(folder.path()).settings(App::geekbench).pendingResults.size(), 10u);

    // The window reads what the others stored, and its own next save keeps it.
    EXPECT_EQ(window.settings(App::cinebench2024).lastResult->multiCoreScore, 10);
    EXPECT_TRUE(window.setResult({1.0, 2.0, 3.0, someDate}, App::cinebench2026).saved());
    const ExternalBenchmarkStore after(folder.path());
    EXPECT_EQ(after.settings(App::geekbench).pendingResults.size(), 10u);
    EXPECT_EQ(after.settings(App::geekbench).lastResult->multiCoreScore, 10);
    EXPECT_EQ(after.settings(App::cinebench2026).lastResult->gpuScore, 3.0);

    fs::remove(folder / ExternalBenchmarkStore::fileName);
    EXPECT_EQ(window.settings(App::cinebench2026), ExternalBenchmarkAppSettings{}) << "removed: nothing is stored";
}

// Twenty processes adding a pending page each, all at once.
TEST(StoreWritersTest, EveryPendingPageOfManyWritersIsKept) {
    testing::TemporaryFolder folder;
    testing::WritersAtOnce writers;
    for (int number = 0; number < 20; ++number)
        writers.start(writer(folder.path(), [number](ExternalBenchmarkStore& store) {
            store.addPending({pageOf(number), number % 2 == 0, someDate}, App::geekbench);
            return store.setResult({1.0, 2.0, 3.0, someDate}, App::cinebench2026);
        }));
    EXPECT_EQ(writers.release(), 20);
    EXPECT_EQ(ExternalBenchmarkStore(folder.path()).settings(App::geekbench).pendingResults.size(), 20u);
}

// A process stopped while it holds the lock (SIGSTOP, a debugger) must not freeze the window
// that saves next: the save gives up, says so, and the change is written once the lock is free.
TEST(StoreWritersTest, ALockHeldWithoutEndFailsTheSaveInsteadOfWaitingForever) {
    testing::TemporaryFolder folder;
    ExternalBenchmarkStore store(folder.path());
    ASSERT_TRUE(store.setResult({1.0, 1.0, std::nullopt, someDate}, App::cinebench2024).saved());
    testing::HeldLock held(folder / ExternalBenchmarkStore::fileName); // as another process holds it
    ASSERT_TRUE(held.held());

    auto saving = std::async(std::launch::async,
                             [&] { return store.setResult({2.0, 2.0, std::nullopt, someDate}, App::cinebench2024); });
    const bool answered = saving.wait_for(std::chrono::minutes(1)) == std::future_status::ready;
    held.release();
    const SaveResult saved = saving.get();
    ASSERT_TRUE(answered) << "the save waited for the lock without end";
    EXPECT_FALSE(saved.saved());
    EXPECT_NE(saved.reason.find("lock"), std::string::npos) << saved.reason;
    EXPECT_EQ(store.settings(App::cinebench2024).lastResult->singleCoreScore, 2.0) << "kept in memory";

    ASSERT_TRUE(store.setResult({3.0, 3.0, std::nullopt, someDate}, App::cinebench2026).saved());
    const ExternalBenchmarkStore reopened(folder.path());
    EXPECT_EQ(reopened.settings(App::cinebench2024).lastResult->singleCoreScore, 2.0);
}

// Two runs whose scores couldn't be saved while another process held the lock keep them. The
// next save of the one whose application meanwhile got newer scores from a third process drops
// its older ones instead of putting them back; the other's writes them and says so.
TEST(StoreWritersTest, ScoresThatCouldntBeSavedNeverOverwriteNewerOnes) {
    testing::TemporaryFolder folder;
    ExternalBenchmarkStore overtaken(folder.path());
    ExternalBenchmarkStore alone(folder.path());
    testing::HeldLock held(folder / ExternalBenchmarkStore::fileName);
    ASSERT_TRUE(held.held());
    auto failing = std::async(std::launch::async, [&] {
        return overtaken.setResult({1111.0, 11111.0, std::nullopt, someDate}, App::geekbench);
    });
    const auto failed = alone.setResult({7.0, 7.0, std::nullopt, someDate}, App::cinebench2024);
    const auto failedToo = failing.get();
    held.release();
    ASSERT_FALSE(failed.saved());
    ASSERT_FALSE(failedToo.saved());

    const Date later = someDate + std::chrono::minutes(5);
    ExternalBenchmarkStore other(folder.path());
    ASSERT_TRUE(other.setResult({9999.0, 99999.0, std::nullopt, later}, App::geekbench).saved());
    EXPECT_EQ(overtaken.settings(App::geekbench).lastResult->singleCoreScore, 9999.0) << "read as the next save writes";

    const Date gpuLater = later + std::chrono::minutes(1);
    const auto next = overtaken.setResult({std::nullopt, std::nullopt, 500.0, gpuLater}, App::geekbench);
    ASSERT_TRUE(next.saved());
    EXPECT_TRUE(next.savedLate.empty());
    const auto geekbench = ExternalBenchmarkStore(folder.path()).settings(App::geekbench).lastResult;
    ASSERT_TRUE(geekbench);
    EXPECT_EQ(geekbench->singleCoreScore, 9999.0);
    EXPECT_EQ(geekbench->multiCoreScore, 99999.0);
    EXPECT_EQ(geekbench->gpuScore, 500.0) << "only what the save measured is laid over";

    const auto late = alone.setResult({std::nullopt, std::nullopt, 3.0, later}, App::cinebench2026);
    ASSERT_TRUE(late.saved());
    EXPECT_EQ(late.savedLate, std::vector{App::cinebench2024});
    EXPECT_TRUE(alone.setResult({std::nullopt, std::nullopt, 4.0, later}, App::cinebench2026).savedLate.empty())
        << "told once";
    EXPECT_EQ(ExternalBenchmarkStore(folder.path()).settings(App::cinebench2024).lastResult->singleCoreScore, 7.0);
}

} // namespace
} // namespace zantiva
