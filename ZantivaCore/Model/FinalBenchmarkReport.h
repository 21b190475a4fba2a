#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "Model/BatteryHealthResult.h"
#include "Model/CpuBenchmarkResult.h"
#include "Model/Date.h"
#include "Model/DisplayTestResult.h"
#include "Model/DriveHealthReport.h"
#include "Model/GpuBenchmarkResult.h"
#include "Model/JsonCodec.h"
#include "Model/KeyboardTestResult.h"
#include "Model/MemoryTestResult.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

// Everything one run of the test suite found about one machine. A run starts from
// FinalBenchmarkReport{.specs = specs}: every result and verdict absent, completed now.
// The report computes nothing; the health scoring sets overallScore.
struct FinalBenchmarkReport {
    std::optional<SystemSpecs> specs;
    std::optional<CpuBenchmarkResult> cpuResult;
    std::optional<GpuBenchmarkResult> gpuResult;
    std::optional<MemoryTestResult> memoryResult;
    std::optional<BatteryHealthResult> batteryResult;
    std::optional<DisplayTestResult> displayResult;
    std::optional<KeyboardTestResult> keyboardResult;
    std::optional<bool> audioPassed;           // absent when the station did not run
    std::optional<bool> micCameraPassed;
    bool cameraBypassed = false;
    std::optional<bool> inputPassed;
    std::optional<DriveHealthReport> driveHealth;
    std::optional<std::string> peripheralStatus;
    double overallScore = 0;                   // 0..100; 0 when there is nothing to score
    Date completedAt = std::chrono::system_clock::now();

    bool operator==(const FinalBenchmarkReport&) const = default;
    // A nested record that does not decode fails the whole report.
    json::Json toJson() const;
    static FinalBenchmarkReport fromJson(const json::Json& j);
};

} // namespace zantiva
