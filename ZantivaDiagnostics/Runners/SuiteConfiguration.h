#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "Engines/CPUWorkload.h"
#include "Engines/GPUBenchmarkConfiguration.h"
#include "Engines/GpuRenderer.h"
#include "Engines/MemoryTestEngine.h"
#include "Engines/TelemetrySource.h"
#include "Platform/ProcessActivity.h"
#include "Probes/DriveHealthReader.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// The engines and readers a suite run drives and their workloads. The defaults are the
// standard ones on this machine; tests shrink the workloads.
struct SuiteConfiguration {
    CPUWorkload cpuWorkload = CPUWorkload::standard();
    std::optional<int> cpuThreads;                            // absent: every online processor
    GPUBenchmarkConfiguration gpu = GPUBenchmarkConfiguration::standard();
    GpuRendererFactory gpuRenderer;                           // empty: the OpenGL ES renderer
    std::int64_t memoryTestBytes = MemoryTestEngine::standardTestBytes;
    double batteryLoadSeconds = 8;                            // the load between the two battery readings
    ProbeRoot batteryRoot;
    DriveHealthOptions drives;
    // Sensor readings for the CPU engine, taken on its monitor thread.
    TelemetrySource sampler;
    // The live feed's newest reading, taken on the main thread once a second for the load
    // trace of the CPU and GPU modules.
    TelemetrySource latestTelemetry;
    std::shared_ptr<ProcessActivity> activity = noProcessActivity();
};

} // namespace zantiva
