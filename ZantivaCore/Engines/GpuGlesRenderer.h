#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/CancelToken.h"
#include "Engines/GPUBenchmarkConfiguration.h"
#include "Engines/GpuEglContext.h"
#include "Engines/GpuGlProgram.h"
#include "Engines/GpuRenderTarget.h"
#include "Engines/GpuRenderer.h"

namespace zantiva {

// The scene renderer on OpenGL ES 3.2: the ray-marched scene into a 16-bit float target
// at the supersampled size, band by band with a wait after each, then a box-filter
// resolve into an 8-bit output whose one-pixel read-back completes the frame. Lives on
// one thread: the context is current there from construction to destruction.
class GpuGlesRenderer final : public GpuRenderer {
public:
    // Builds everything in order: context, programs, scene and output targets, preview
    // target. Throws GPUBenchmarkError (noDevice, shaderCompilation, resourceAllocation).
    GpuGlesRenderer(const GPUBenchmarkConfiguration& configuration, CancelToken cancel);

    std::string adapterName() const override;
    void setBands(int bands) override { bands_ = bands; }
    double renderFrame(std::int64_t index) override;
    std::optional<GpuPreviewImage> capturePreview() override;

    int bands() const { return bands_; }
    // Side of the square of scene samples in one preview pixel; 0 when previews are off
    // (the supersampled size is not a multiple of it).
    int previewRatio() const { return previewRatio_; }

private:
    // The values every draw reads, as the shader's Params record.
    struct Params {
        float resolution[2];
        float time;
        float power;
        std::int32_t resolveRatio;
        std::int32_t padding;
    };
    static_assert(sizeof(Params) == 24);

    struct ParamSlots {
        explicit ParamSlots(const GpuGlProgram& program);
        GLint resolution, time, power, resolveRatio;
    };

    void setParams(const ParamSlots& slots, const Params& params) const;
    void encodeResolve(const GpuRenderTarget& target, int ratio) const;
    static void waitForGpu();
    static void check();

    GPUBenchmarkConfiguration configuration_;
    CancelToken cancel_;
    int bands_;
    GpuEglContext context_;
    GpuGlProgram raymarch_;
    GpuGlProgram resolve_;
    ParamSlots raymarchSlots_;
    ParamSlots resolveSlots_;
    GLint resolveScene_;
    GpuRenderTarget scene_;
    GpuRenderTarget output_;
    int previewRatio_ = 0;
    std::optional<GpuRenderTarget> preview_;
    std::vector<std::uint8_t> previewBuffer_;
    std::array<std::uint8_t, 4> syncPixel_{};
};

// The GPU benchmark's default renderer factory.
std::unique_ptr<GpuRenderer> makeGlesRenderer(const GPUBenchmarkConfiguration& configuration, const CancelToken& cancel);

} // namespace zantiva
