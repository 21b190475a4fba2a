#include "Engines/GPUBenchmarkError.h"

namespace zantiva {

GPUBenchmarkError GPUBenchmarkError::shaderCompilation(std::string log) {
    return {Kind::shaderCompilation, "shader compilation failed — " + log};
}

GPUBenchmarkError GPUBenchmarkError::commandBufferFailed(std::string description) {
    if (description.empty()) description = "the GPU did not complete a frame";
    return {Kind::commandBufferFailed, description};
}

GPUBenchmarkError GPUBenchmarkError::noDevice() {
    return {Kind::noDevice, "no OpenGL ES 3.2 capable GPU was found"};
}

GPUBenchmarkError GPUBenchmarkError::resourceAllocation() {
    return {Kind::resourceAllocation, "not enough graphics memory for the render targets"};
}

GPUBenchmarkError GPUBenchmarkError::deviceReset() {
    return {Kind::deviceReset, "the graphics driver stopped responding and the system reset the GPU"};
}

LocalizedMessage GPUBenchmarkError::userMessage() const {
    if (kind_ == Kind::deviceReset) return LocalizedMessage("Gpu.DeviceRemoved");
    return LocalizedMessage("Gpu.Error", detail());
}

} // namespace zantiva
