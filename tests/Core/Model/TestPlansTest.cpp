#include "Model/TestPlans.h"

#include <set>

#include <gtest/gtest.h>

using namespace zantiva;
using enum TestModule;

TEST(TestPlans, OrderedIsDistinctAndCanonical) {
    struct Case {
        std::vector<TestModule> given;
        std::vector<TestModule> expected;
    };
    const Case cases[] = {
        {{input, cpuBenchmark, input, display}, {cpuBenchmark, display, input}},
        {{}, {}},
        {TestPlans::full, TestPlans::full},
        {{micCamera, audio}, TestPlans::audioMic},
        {{battery, input, micCamera, audio, display, ramTest, gpuBenchmark, cpuBenchmark, cpuBenchmark}, TestPlans::full},
    };
    for (const auto& c : cases) EXPECT_EQ(TestPlans::ordered(c.given), c.expected);
}

// Each plan already in canonical order, so a runner accepts it as given; the single-test
// plans are eight distinct partial plans, filled after the plans they hold.
TEST(TestPlans, EveryPlanIsCanonicalAndTheSingleTestPlansAreDistinct) {
    EXPECT_EQ(TestPlans::ordered(TestPlans::full), TestPlans::full);
    const std::set<std::vector<TestModule>> distinct(TestPlans::singleTestPlans.begin(),
                                                     TestPlans::singleTestPlans.end());
    EXPECT_EQ(distinct.size(), 8u);
    for (const auto& plan : TestPlans::singleTestPlans) {
        EXPECT_FALSE(plan.empty());
        EXPECT_NE(plan, TestPlans::full);
        EXPECT_EQ(TestPlans::ordered(plan), plan);
    }
}
