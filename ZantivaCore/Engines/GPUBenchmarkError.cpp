#include "Engines/GPUBenchmarkError.h"

namespace zantiva {

GPUBenchmarkError GPUBenchmarkError::shaderCompilation(std::string log) {
    return {Kind::shaderCompilation, "shader compilation failed — " + log, log};
}

GPUBenchmarkError GPUBenchmarkError::commandBufferFailed(std::string errorName) {
    if (errorName.empty()) return {Kind::commandBufferFailed, "the GPU did not complete a frame"};
    return {Kind::commandBufferFailed, "OpenGL ES error " + errorName, errorName};
}

GPUBenchmarkError GPUBenchmarkError::noDevice() {
    return {Kind::noDevice, "no OpenGL ES 3.2 capable GPU was found"};
}

GPUBenchmarkError GPUBenchmarkError::outOfDescriptors() {
    return {Kind::outOfDescriptors, "too many files are open, so the graphics driver couldn't be opened"};
}

GPUBenchmarkError GPUBenchmarkError::resourceAllocation() {
    return {Kind::resourceAllocation, "not enough graphics memory for the render targets"};
}

GPUBenchmarkError GPUBenchmarkError::deviceReset() {
    return {Kind::deviceReset, "the graphics driver stopped responding and the system reset the GPU"};
}

LocalizedMessage GPUBenchmarkError::userMessage() const {
    switch (kind_) {
    case Kind::shaderCompilation: return LocalizedMessage("Gpu.Error.Shader", outsideText_);
    case Kind::commandBufferFailed:
        return outsideText_.empty() ? LocalizedMessage("Gpu.Error.Frame") : LocalizedMessage("Gpu.Error.Driver", outsideText_);
    case Kind::noDevice: return LocalizedMessage("Gpu.Error.NoDevice");
    case Kind::outOfDescriptors: return LocalizedMessage("Gpu.Error.OutOfDescriptors");
    case Kind::resourceAllocation: return LocalizedMessage("Gpu.Error.OutOfMemory");
    case Kind::deviceReset: break;
    }
    return LocalizedMessage("Gpu.DeviceRemoved");
}

} // namespace zantiva
