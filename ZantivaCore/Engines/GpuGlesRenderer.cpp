#include "Engines/GpuGlesRenderer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "Engines/GPUBenchmarkError.h"
#include "Engines/GpuBands.h"
#include "Engines/GpuGlError.h"
#include "Platform/MonotonicClock.h"

namespace zantiva {
namespace {

constexpr int defaultBands = 8;
constexpr GLuint64 waitSliceNs = 1'000'000'000;
constexpr GLenum colourAttachment = GL_COLOR_ATTACHMENT0;

} // namespace

GpuGlesRenderer::ParamSlots::ParamSlots(const GpuGlProgram& program)
    : resolution(program.uniform("params.resolution")), time(program.uniform("params.time")),
      power(program.uniform("params.power")), resolveRatio(program.uniform("params.resolveRatio")) {}

GpuGlesRenderer::GpuGlesRenderer(const GPUBenchmarkConfiguration& configuration, CancelToken cancel)
    : configuration_(configuration), cancel_(std::move(cancel)), bands_(configuration.forcedBands.value_or(defaultBands)),
      raymarch_("vertexMain", "raymarchFragment"), resolve_("vertexMain", "resolveFragment"),
      raymarchSlots_(raymarch_), resolveSlots_(resolve_), resolveScene_(resolve_.uniform("scene")),
      scene_(GL_RGBA16F, configuration.internalWidth(), configuration.internalHeight()),
      output_(GL_RGBA8, configuration.outputWidth, configuration.outputHeight) {
    const int ratio = 2 * configuration.supersampleFactor;
    if (configuration.internalWidth() % ratio != 0 || configuration.internalHeight() % ratio != 0) return;
    preview_.emplace(GL_RGBA8, configuration.internalWidth() / ratio, configuration.internalHeight() / ratio);
    try {
        previewBuffer_.resize(static_cast<std::size_t>(preview_->width()) * static_cast<std::size_t>(preview_->height()) * 4);
    } catch (const std::bad_alloc&) {
        // Without the read-back memory there are simply no previews.
        preview_.reset();
        return;
    }
    previewRatio_ = ratio;
}

std::string GpuGlesRenderer::adapterName() const {
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return name == nullptr ? std::string() : std::string(name);
}

double GpuGlesRenderer::renderFrame(std::int64_t index) {
    const std::uint64_t start = monotonicRawNanoseconds();
    const int width = configuration_.internalWidth();
    const Params params{{static_cast<float>(width), static_cast<float>(configuration_.internalHeight())},
                        static_cast<float>(index) / 30.0F, configuration_.power, configuration_.supersampleFactor, 0};
    const GpuBandLayout layout(configuration_.internalHeight(), bands_);

    for (int b = 0; b < layout.count(); ++b) {
        cancel_.throwIfCancelled();
        glBindFramebuffer(GL_FRAMEBUFFER, scene_.framebuffer());
        // The first band starts the frame with no need for the old contents; later bands
        // keep the rows drawn before them.
        if (b == 0) glInvalidateFramebuffer(GL_FRAMEBUFFER, 1, &colourAttachment);
        glViewport(0, 0, width, configuration_.internalHeight());
        glUseProgram(raymarch_.id());
        setParams(raymarchSlots_, params);
        const GpuBand band = layout.band(b);
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, band.y, width, band.height);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        glDisable(GL_SCISSOR_TEST);

        if (b + 1 < layout.count()) {
            waitForGpu();
        } else {
            encodeResolve(output_, configuration_.supersampleFactor);
            // Reading one pixel of the output waits until the whole frame is done.
            glBindFramebuffer(GL_READ_FRAMEBUFFER, output_.framebuffer());
            glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, syncPixel_.data());
        }
        check();
    }
    return nanosecondsToMilliseconds(monotonicRawNanoseconds() - start);
}

std::optional<GpuPreviewImage> GpuGlesRenderer::capturePreview() {
    if (!preview_) return std::nullopt;
    encodeResolve(*preview_, previewRatio_);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, preview_->framebuffer());
    glReadPixels(0, 0, preview_->width(), preview_->height(), GL_RGBA, GL_UNSIGNED_BYTE, previewBuffer_.data());
    check();

    // GL reads rows from the bottom up; the image lists them from the top.
    GpuPreviewImage image{preview_->width(), preview_->height(), std::vector<std::uint8_t>(previewBuffer_.size())};
    const std::size_t row = static_cast<std::size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y)
        std::memcpy(image.rgba.data() + row * static_cast<std::size_t>(y),
                    previewBuffer_.data() + row * static_cast<std::size_t>(image.height - 1 - y), row);
    return image;
}

void GpuGlesRenderer::setParams(const ParamSlots& slots, const Params& params) const {
    glUniform2f(slots.resolution, params.resolution[0], params.resolution[1]);
    glUniform1f(slots.time, params.time);
    glUniform1f(slots.power, params.power);
    glUniform1i(slots.resolveRatio, params.resolveRatio);
}

void GpuGlesRenderer::encodeResolve(const GpuRenderTarget& target, int ratio) const {
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer());
    glInvalidateFramebuffer(GL_FRAMEBUFFER, 1, &colourAttachment);
    glViewport(0, 0, target.width(), target.height());
    glUseProgram(resolve_.id());
    setParams(resolveSlots_, {{static_cast<float>(target.width()), static_cast<float>(target.height())},
                              0.0F, configuration_.power, ratio, 0});
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, scene_.texture());
    glUniform1i(resolveScene_, 0);
    glDrawArrays(GL_TRIANGLES, 0, 3);
}

void GpuGlesRenderer::waitForGpu() {
    const GLsync fence = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    if (fence == nullptr) throw GPUBenchmarkError::resourceAllocation();
    GLenum status = GL_TIMEOUT_EXPIRED;
    while (status == GL_TIMEOUT_EXPIRED) status = glClientWaitSync(fence, GL_SYNC_FLUSH_COMMANDS_BIT, waitSliceNs);
    glDeleteSync(fence);
    if (status == GL_WAIT_FAILED) throw GPUBenchmarkError::commandBufferFailed(glErrorName(takeGlError()));
}

void GpuGlesRenderer::check() {
    if (glGetGraphicsResetStatus() != GL_NO_ERROR) throw GPUBenchmarkError::deviceReset();
    const GLenum error = takeGlError();
    if (error == GL_CONTEXT_LOST) throw GPUBenchmarkError::deviceReset();
    if (error != GL_NO_ERROR) throw GPUBenchmarkError::commandBufferFailed(glErrorName(error));
}

std::unique_ptr<GpuRenderer> makeGlesRenderer(const GPUBenchmarkConfiguration& configuration, const CancelToken& cancel) {
    return std::make_unique<GpuGlesRenderer>(configuration, cancel);
}

} // namespace zantiva
