#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/CancelToken.h"
#include "Engines/GPUBenchmarkConfiguration.h"

namespace zantiva {

// A preview of the rendered scene: 8-bit RGBA, rows from the top, width × 4 bytes each.
struct GpuPreviewImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    bool operator==(const GpuPreviewImage&) const = default;
};

// What the GPU benchmark drives, frame by frame, on its engine thread: the scene renderer
// of one run, holding every GPU resource of that run.
class GpuRenderer {
public:
    virtual ~GpuRenderer() = default;

    // The graphics device's name as the driver gives it.
    virtual std::string adapterName() const = 0;
    // Bands of the following frames; at least 1.
    virtual void setBands(int bands) = 0;
    // Renders frame `index` (animation time index ÷ 30) band by band, waiting for each,
    // and returns its time in milliseconds up to the one-pixel read-back that completes
    // it. Reads the cancel token before every band (CancellationError); a failed frame
    // throws GPUBenchmarkError.
    virtual double renderFrame(std::int64_t index) = 0;
    // The current scene at preview size; absent when previews are off. GPUBenchmarkError
    // when it could not be read back.
    virtual std::optional<GpuPreviewImage> capturePreview() = 0;
};

// Chooses the device and builds the renderer of one run on the calling thread. Throws
// GPUBenchmarkError (no device, shader compilation, resources).
using GpuRendererFactory =
    std::function<std::unique_ptr<GpuRenderer>(const GPUBenchmarkConfiguration&, const CancelToken&)>;

} // namespace zantiva
