#pragma once

#include <stdexcept>
#include <string>

#include "Localization/LocalizedMessage.h"

namespace zantiva {

// Why the GPU benchmark could not run or finish. The detail text is the graphics
// stack's own wording and is not translated; userMessage wraps it for the user.
class GPUBenchmarkError : public std::runtime_error {
public:
    enum class Kind { shaderCompilation, commandBufferFailed, noDevice, resourceAllocation, deviceReset };

    // The compiler's or linker's log.
    static GPUBenchmarkError shaderCompilation(std::string log);
    // The driver's description; empty gives "the GPU did not complete a frame".
    static GPUBenchmarkError commandBufferFailed(std::string description);
    static GPUBenchmarkError noDevice();
    static GPUBenchmarkError resourceAllocation();
    // The driver stopped responding and the system reset the GPU: the context is lost.
    static GPUBenchmarkError deviceReset();

    Kind kind() const { return kind_; }
    // The English detail: what() gives the same text.
    std::string detail() const { return what(); }
    // "Gpu.Error" with the detail as its one argument; a reset has its own words, "Gpu.DeviceRemoved".
    LocalizedMessage userMessage() const;

    bool operator==(const GPUBenchmarkError& other) const { return kind_ == other.kind_ && detail() == other.detail(); }

private:
    GPUBenchmarkError(Kind kind, const std::string& detail) : std::runtime_error(detail), kind_(kind) {}

    Kind kind_;
};

} // namespace zantiva
