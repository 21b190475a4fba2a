#pragma once

#include "Model/ExternalBenchmarkApp.h"

namespace zantiva {

// For Geekbench, cpuSingleCore is its one CPU run, which gives both CPU scores.
enum class ExternalTestKind { cpuSingleCore, cpuMultiCore, gpu };

// One test of one application.
struct ExternalBenchmarkStep {
    ExternalBenchmarkApp app = ExternalBenchmarkApp::geekbench;
    ExternalTestKind kind = ExternalTestKind::cpuSingleCore;

    bool operator==(const ExternalBenchmarkStep&) const = default;
};

} // namespace zantiva
