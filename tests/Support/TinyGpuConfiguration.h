#pragma once

#include "Engines/GPUBenchmarkConfiguration.h"

namespace zantiva::testing {

// A frame the real OpenGL ES stack (Mesa's software renderer where there is no GPU) draws
// in moments: 64 × 36 output, 128 × 72 scene samples, a 32 × 18 preview.
inline GPUBenchmarkConfiguration tinyGpuFrame() {
    GPUBenchmarkConfiguration c;
    c.outputWidth = 64;
    c.outputHeight = 36;
    return c;
}

// A whole benchmark run on that frame: one warm-up frame, three measured.
inline GPUBenchmarkConfiguration tinyGpuRun() {
    GPUBenchmarkConfiguration c = tinyGpuFrame();
    c.minimumWarmUp = 0;
    c.maximumWarmUp = 0;
    c.measuredFrames = 3;
    return c;
}

} // namespace zantiva::testing
