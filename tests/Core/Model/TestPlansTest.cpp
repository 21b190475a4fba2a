#include "Model/TestPlans.h"

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

TEST(TestPlans, EveryPlanIsAlreadyInCanonicalOrder) {
    for (const auto* plan : {&TestPlans::full, &TestPlans::performance, &TestPlans::displayOnly, &TestPlans::ramOnly,
                             &TestPlans::cpuOnly, &TestPlans::gpuOnly, &TestPlans::audioMic, &TestPlans::batteryOnly,
                             &TestPlans::inputOnly})
        EXPECT_EQ(TestPlans::ordered(*plan), *plan);
    EXPECT_EQ(TestPlans::full.size(), 8u);
    EXPECT_EQ(TestPlans::performance, (std::vector{cpuBenchmark, gpuBenchmark, ramTest}));
}

TEST(TestModule, RawValuesAndJson) {
    EXPECT_EQ(fromRaw<TestModule>("mic_camera"), micCamera);
    EXPECT_EQ(fromRaw<TestModule>("micCamera"), std::nullopt);
    EXPECT_EQ(fromRaw<TestModule>("cpuBenchmark"), std::nullopt);
    EXPECT_EQ(stepID(cpuBenchmark), "cpu");
    EXPECT_EQ(fromRaw<ModuleStatus>("cancelled"), ModuleStatus::cancelled);
    EXPECT_EQ(fromRaw<ModuleStatus>("canceled"), std::nullopt);

    const json::Json j = {{"plan", {"cpu", "ram"}}, {"bad", {"cpu", "disk"}}};
    EXPECT_EQ(json::required<std::vector<TestModule>>(j, "plan"), (std::vector{cpuBenchmark, ramTest}));
    EXPECT_THROW(json::required<std::vector<TestModule>>(j, "bad"), json::DecodeError);
    json::Json out = json::Json::object();
    json::put(out, "status", ModuleStatus::bypassed);
    EXPECT_EQ(out["status"], "bypassed");
}
