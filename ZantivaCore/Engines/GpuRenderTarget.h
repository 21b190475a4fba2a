#pragma once

#include <GLES3/gl32.h>

namespace zantiva {

// A texture of one level with a framebuffer that draws into it. Needs a current context;
// throws GPUBenchmarkError::resourceAllocation when the driver can't make it.
class GpuRenderTarget {
public:
    GpuRenderTarget(GLenum internalFormat, int width, int height);
    ~GpuRenderTarget();
    GpuRenderTarget(const GpuRenderTarget&) = delete;
    GpuRenderTarget& operator=(const GpuRenderTarget&) = delete;

    GLuint texture() const { return texture_; }
    GLuint framebuffer() const { return framebuffer_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    GLuint texture_ = 0;
    GLuint framebuffer_ = 0;
    int width_;
    int height_;
};

} // namespace zantiva
