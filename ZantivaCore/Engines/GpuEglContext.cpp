#include "Engines/GpuEglContext.h"

#include <EGL/eglext.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string_view>
#include <utility>
#include <vector>

#include "Engines/GPUBenchmarkError.h"
#include "Probes/GraphicsCards.h"

namespace zantiva {
namespace {

// Whether a space-separated extension list names the extension as a whole word.
bool hasExtension(const char* list, std::string_view name) {
    if (list == nullptr) return false;
    std::string_view rest(list);
    while (!rest.empty()) {
        const auto space = rest.find(' ');
        if (rest.substr(0, space) == name) return true;
        if (space == std::string_view::npos) break;
        rest.remove_prefix(space + 1);
    }
    return false;
}

template <typename Function> Function entryPoint(const char* name) {
    return reinterpret_cast<Function>(eglGetProcAddress(name));
}

// Initialises the display and makes an OpenGL ES 3.2 context current on it without a
// surface; EGL_NO_CONTEXT when the display can't.
EGLContext makeCurrentContext(EGLDisplay display) {
    if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) return EGL_NO_CONTEXT;
    const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
    if (!hasExtension(extensions, "EGL_KHR_surfaceless_context") || eglBindAPI(EGL_OPENGL_ES_API) != EGL_TRUE)
        return EGL_NO_CONTEXT;

    EGLConfig config = EGL_NO_CONFIG_KHR;
    if (!hasExtension(extensions, "EGL_KHR_no_config_context")) {
        // Surface type 0 matches every config: nothing is drawn to a surface.
        const std::array<EGLint, 5> wanted{EGL_RENDERABLE_TYPE, EGL_OPENGL_ES3_BIT, EGL_SURFACE_TYPE, 0, EGL_NONE};
        EGLint found = 0;
        if (eglChooseConfig(display, wanted.data(), &config, 1, &found) != EGL_TRUE || found < 1) return EGL_NO_CONTEXT;
    }
    const std::array<EGLint, 5> version{EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 2, EGL_NONE};
    const EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, version.data());
    if (context == EGL_NO_CONTEXT) return EGL_NO_CONTEXT;
    if (eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) != EGL_TRUE) {
        eglDestroyContext(display, context);
        return EGL_NO_CONTEXT;
    }
    return context;
}

// Its DRM node (EGL_EXT_device_drm, or the render node where only that is named) and
// whether it is a software renderer.
EglDeviceFacts describe(EGLDeviceEXT device, PFNEGLQUERYDEVICESTRINGEXTPROC deviceString) {
    const char* extensions = deviceString(device, EGL_EXTENSIONS);
    EglDeviceFacts facts{.software = hasExtension(extensions, "EGL_MESA_device_software")};
    for (const auto& [extension, name] : {std::pair{"EGL_EXT_device_drm", EGL_DRM_DEVICE_FILE_EXT},
                                         std::pair{"EGL_EXT_device_drm_render_node", EGL_DRM_RENDER_NODE_FILE_EXT}}) {
        if (!facts.drmFile.empty() || !hasExtension(extensions, extension)) continue;
        if (const char* file = deviceString(device, name)) facts.drmFile = file;
    }
    return facts;
}

bool isOutOfDescriptors(int error) { return error == EMFILE || error == ENFILE; }

// Why no context could be had. A process out of descriptors can't load the driver's libraries
// or open its device nodes, and EGL says only that there is no device: the error an open
// inside it left, or one more open now, tells that apart.
GPUBenchmarkError noContext() {
    if (isOutOfDescriptors(errno)) return GPUBenchmarkError::outOfDescriptors();
    const int probe = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (probe == -1 && isOutOfDescriptors(errno)) return GPUBenchmarkError::outOfDescriptors();
    if (probe != -1) ::close(probe);
    return GPUBenchmarkError::noDevice();
}

} // namespace

GpuEglContext::GpuEglContext() {
    errno = 0;
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    const auto platformDisplay = entryPoint<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT");
    if (platformDisplay == nullptr) throw noContext();

    // The hardware devices, the machine's preferred GPU first (the one the specs name); the
    // software device is the one that says it is software, and is left to the fallback below.
    const auto queryDevices = entryPoint<PFNEGLQUERYDEVICESEXTPROC>("eglQueryDevicesEXT");
    const auto deviceString = entryPoint<PFNEGLQUERYDEVICESTRINGEXTPROC>("eglQueryDeviceStringEXT");
    if (hasExtension(clientExtensions, "EGL_EXT_platform_device") && queryDevices != nullptr && deviceString != nullptr) {
        std::array<EGLDeviceEXT, 16> devices{};
        EGLint count = 0;
        if (queryDevices(static_cast<EGLint>(devices.size()), devices.data(), &count) != EGL_TRUE) count = 0;
        std::vector<EglDeviceFacts> facts;
        for (EGLint i = 0; i < count; ++i) facts.push_back(describe(devices[i], deviceString));
        for (const std::size_t i : preferredEglDevices(ProbeRoot(), facts)) {
            if (context_ != EGL_NO_CONTEXT) break;
            if (facts[i].software) continue;
            display_ = platformDisplay(EGL_PLATFORM_DEVICE_EXT, devices[i], nullptr);
            context_ = makeCurrentContext(display_);
        }
    }
    if (context_ == EGL_NO_CONTEXT && hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        display_ = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        context_ = makeCurrentContext(display_);
    }
    if (context_ == EGL_NO_CONTEXT) throw noContext();
}

// The display stays initialised: EGL hands every caller the same display, so terminating
// it would pull it from under a run on another thread. The next run reuses it.
GpuEglContext::~GpuEglContext() {
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display_, context_);
    eglReleaseThread();
}

} // namespace zantiva
