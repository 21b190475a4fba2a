#include "External/ExternalBenchmarkPlan.h"

#include <algorithm>
#include <optional>

namespace zantiva::ExternalBenchmarkPlan {

std::vector<ExternalBenchmarkStep> steps(ExternalBenchmarkApp app) {
    using enum ExternalTestKind;
    switch (app) {
    case ExternalBenchmarkApp::geekbench: return {{app, cpuSingleCore}, {app, gpu}};
    case ExternalBenchmarkApp::cinebench2024: return {{app, cpuSingleCore}, {app, cpuMultiCore}};
    case ExternalBenchmarkApp::cinebench2026: return {{app, cpuSingleCore}, {app, cpuMultiCore}, {app, gpu}};
    }
    return {};
}

std::vector<Item> fullRun(std::span<const ExternalBenchmarkApp> apps) {
    std::vector<Item> plan;
    std::optional<ExternalBenchmarkApp> previous;
    for (ExternalBenchmarkApp app : allCases<ExternalBenchmarkApp>()) {
        if (std::find(apps.begin(), apps.end(), app) == apps.end()) continue;
        if (previous && isCinebench(*previous) && isCinebench(app)) plan.emplace_back(Cooldown{app});
        for (const ExternalBenchmarkStep& step : steps(app)) plan.emplace_back(step);
        previous = app;
    }
    return plan;
}

} // namespace zantiva::ExternalBenchmarkPlan
