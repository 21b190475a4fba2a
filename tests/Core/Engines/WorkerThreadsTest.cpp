#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

#include "../../Support/ThrownBy.h"
#include "Engines/WorkerThreads.h"
#include "Platform/NamedThread.h"

namespace zantiva {
namespace {

TEST(WorkerThreads, RunsEveryIndexOnItsOwnNamedThread) {
    std::mutex lock;
    std::set<std::string> names;
    std::set<std::thread::id> ids;
    runOnThreads(
        4, [](int i) { return ThreadIdentity{"", "zv-w" + std::to_string(i)}; },
        [&](int) {
            std::lock_guard guard(lock);
            names.insert(currentThreadName());
            ids.insert(std::this_thread::get_id());
        });
    EXPECT_EQ(names, (std::set<std::string>{"zv-w0", "zv-w1", "zv-w2", "zv-w3"}));
    EXPECT_EQ(ids.size(), 4u);
}

TEST(WorkerThreads, WaitsForAllThenRethrowsTheFirstError) {
    std::atomic<int> finished{0};
    const auto error = testing::thrownBy<std::runtime_error>([&] {
        runOnThreads(
            3, [](int) { return ThreadIdentity{}; },
            [&](int i) {
                if (i == 0) throw std::runtime_error("first");
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                ++finished;
            });
    });
    EXPECT_STREQ(error.what(), "first");
    EXPECT_EQ(finished.load(), 2);
}

} // namespace
} // namespace zantiva
