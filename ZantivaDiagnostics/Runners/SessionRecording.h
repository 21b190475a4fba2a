#pragma once

#include "Model/BatteryHealthResult.h"
#include "Model/BenchmarkSession.h"
#include "Model/CpuBenchmarkResult.h"
#include "Model/GpuBenchmarkResult.h"
#include "Model/MemoryTestResult.h"
#include "Runners/StationOutcome.h"

namespace zantiva {

// How each module's result goes into a suite run's session: the report's part, the
// headline score ("cpu_multi", "cpu_single", "gpu", "display", "battery", "keyboard") and
// the status the module ends with (a completed module passes unless the user failed it).
namespace SessionRecording {

// The display, speaker, microphone-and-camera and input modules, which the peripheral
// bypass skips and which wait for their page's outcome.
bool isPeripheral(TestModule module);

ModuleStatus record(BenchmarkSession& session, const CpuBenchmarkResult& result);
ModuleStatus record(BenchmarkSession& session, const GpuBenchmarkResult& result);
ModuleStatus record(BenchmarkSession& session, const MemoryTestResult& result);
// A machine without a battery is recorded as such and skipped: nothing is scored.
ModuleStatus record(BenchmarkSession& session, const BatteryHealthResult& result);
ModuleStatus record(BenchmarkSession& session, const StationOutcome& outcome);

// Whether any module of the session ran to an end of its own (not bypassed).
bool hasCompletedStations(const BenchmarkSession& session);

} // namespace SessionRecording

} // namespace zantiva
