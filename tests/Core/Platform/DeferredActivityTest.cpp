#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "Platform/DeferredActivity.h"

using namespace zantiva;

namespace {

struct CountingActivity final : ProcessActivity {
    std::atomic<int> begun{0};
    std::unique_ptr<ActivityHold> begin(std::string_view, ActivityOptions) override {
        ++begun;
        return std::make_unique<ActivityHold>();
    }
};

} // namespace

TEST(DeferredActivity, MadeOnceAtTheFirstBeginWhicheverThreadAsks) {
    std::atomic<int> made{0};
    auto counting = std::make_shared<CountingActivity>();
    DeferredActivity deferred([&] {
        ++made;
        return counting;
    });
    EXPECT_EQ(made, 0) << "nothing is made before a run asks";

    std::vector<std::thread> engines;
    std::atomic<int> holds{0};
    for (int thread = 0; thread < 4; ++thread)
        engines.emplace_back([&] {
            if (deferred.begin("run", {})) ++holds;
        });
    for (auto& engine : engines) engine.join();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(counting->begun, 4);
    EXPECT_EQ(holds, 4);
}
