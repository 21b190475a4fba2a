#pragma once

#include <optional>

namespace zantiva {

// What the GPU benchmark renders and how long its stages may take.
struct GPUBenchmarkConfiguration {
    int outputWidth = 2560;          // output image, pixels
    int outputHeight = 1440;
    int supersampleFactor = 2;       // rendered samples per output pixel along each axis
    int measuredFrames = 60;         // frames of the measured stage before the time cap
    double minimumWarmUp = 2.5;      // seconds before the stability test may end the warm-up
    double maximumWarmUp = 12.0;     // seconds after which the warm-up ends regardless
    double maximumMeasuredBatch = 45.0; // seconds the measured stage should not exceed
    int minimumMeasuredFrames = 10;  // fewest measured frames when the time cap applies
    float power = 8.0F;              // exponent of the Mandelbulb fractal
    std::optional<int> forcedBands;  // fixed bands per frame; absent: they follow the frame time

    static GPUBenchmarkConfiguration standard() { return {}; }

    // The supersampled render target and its samples per output pixel.
    int internalWidth() const { return outputWidth * supersampleFactor; }
    int internalHeight() const { return outputHeight * supersampleFactor; }
    int samplesPerPixel() const { return supersampleFactor * supersampleFactor; }

    // Throws std::invalid_argument unless every size is positive, the supersampled sizes
    // fit an int, and a forced band count is at least 1: anything else has no band to draw.
    void validate() const;

    bool operator==(const GPUBenchmarkConfiguration&) const = default;
};

} // namespace zantiva
