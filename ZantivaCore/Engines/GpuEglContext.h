#pragma once

#include <EGL/egl.h>

namespace zantiva {

// An OpenGL ES 3.2 context without any surface, current on the thread that made it
// until it is destroyed. It runs on a hardware device when EGL lists one, the machine's
// preferred GPU first (a discrete one before an integrated one, GraphicsCard::preferred),
// else on Mesa's software renderer through the surfaceless platform. Throws GPUBenchmarkError::noDevice
// when neither gives an OpenGL ES 3.2 context, or outOfDescriptors when that is why.
class GpuEglContext {
public:
    GpuEglContext();
    ~GpuEglContext();
    GpuEglContext(const GpuEglContext&) = delete;
    GpuEglContext& operator=(const GpuEglContext&) = delete;

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
};

} // namespace zantiva
