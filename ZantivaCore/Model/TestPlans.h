#pragma once

#include <span>
#include <vector>

#include "Model/TestModule.h"

namespace zantiva {

// The named plans, each in canonical order, and the rule that orders any plan.
struct TestPlans {
    TestPlans() = delete;

    static const std::vector<TestModule> full;
    static const std::vector<TestModule> performance;
    static const std::vector<TestModule> displayOnly;
    static const std::vector<TestModule> ramOnly;
    static const std::vector<TestModule> cpuOnly;
    static const std::vector<TestModule> gpuOnly;
    static const std::vector<TestModule> audioMic;
    static const std::vector<TestModule> batteryOnly;
    static const std::vector<TestModule> inputOnly;
    // The eight partial plans, in the order the launcher offers them: displayOnly, ramOnly,
    // cpuOnly, gpuOnly, performance, audioMic, batteryOnly, inputOnly.
    static const std::vector<std::vector<TestModule>> singleTestPlans;

    // The distinct modules given, in canonical order.
    static std::vector<TestModule> ordered(std::span<const TestModule> modules);
};

} // namespace zantiva
