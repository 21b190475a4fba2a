#pragma once

#include <span>
#include <variant>
#include <vector>

#include "Model/ExternalBenchmarkStep.h"

namespace zantiva::ExternalBenchmarkPlan {

// A rest before an application's steps, so that the machine cools down between the two
// Cinebench versions.
struct Cooldown {
    ExternalBenchmarkApp before = ExternalBenchmarkApp::cinebench2026;
    bool operator==(const Cooldown&) const = default;
};

// One item of a plan: a test step or a rest.
using Item = std::variant<ExternalBenchmarkStep, Cooldown>;

// Geekbench: CPU, GPU. Cinebench 2024: single-core, multi-core. Cinebench 2026: single-core,
// multi-core, GPU.
std::vector<ExternalBenchmarkStep> steps(ExternalBenchmarkApp app);

// The steps of the given applications in their fixed order (each once), with one rest
// before a Cinebench application whose steps follow another Cinebench application's.
std::vector<Item> fullRun(std::span<const ExternalBenchmarkApp> apps);

} // namespace zantiva::ExternalBenchmarkPlan
