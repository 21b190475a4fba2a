#include "Model/TestPlans.h"

#include <algorithm>

namespace zantiva {

using enum TestModule;

namespace {
constexpr auto canonical = allCases<TestModule>();
}

const std::vector<TestModule> TestPlans::full(canonical.begin(), canonical.end());
const std::vector<TestModule> TestPlans::performance = {cpuBenchmark, gpuBenchmark, ramTest};
const std::vector<TestModule> TestPlans::displayOnly = {display};
const std::vector<TestModule> TestPlans::ramOnly = {ramTest};
const std::vector<TestModule> TestPlans::cpuOnly = {cpuBenchmark};
const std::vector<TestModule> TestPlans::gpuOnly = {gpuBenchmark};
const std::vector<TestModule> TestPlans::audioMic = {audio, micCamera};
const std::vector<TestModule> TestPlans::batteryOnly = {battery};
const std::vector<TestModule> TestPlans::inputOnly = {input};
// After the plans it holds: a translation unit initialises its statics in order.
const std::vector<std::vector<TestModule>> TestPlans::singleTestPlans = {
    displayOnly, ramOnly, cpuOnly, gpuOnly, performance, audioMic, batteryOnly, inputOnly};

std::vector<TestModule> TestPlans::ordered(std::span<const TestModule> modules) {
    std::vector<TestModule> out;
    for (TestModule module : canonical)
        if (std::ranges::find(modules, module) != modules.end()) out.push_back(module);
    return out;
}

} // namespace zantiva
