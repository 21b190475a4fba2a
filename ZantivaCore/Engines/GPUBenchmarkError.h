#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "Localization/LocalizedMessage.h"

namespace zantiva {

// Why the GPU benchmark could not run or finish. The detail is an English line for the log
// and the command line; the user is told each kind in their language, with only the graphics
// stack's own words (a compiler log, a driver's error name) passed through as they are.
class GPUBenchmarkError : public std::runtime_error {
public:
    enum class Kind { shaderCompilation, commandBufferFailed, noDevice, resourceAllocation, deviceReset, outOfDescriptors };

    // The compiler's or linker's log.
    static GPUBenchmarkError shaderCompilation(std::string log);
    // The driver's error by its name ("GL_OUT_OF_MEMORY"); empty when it named none.
    static GPUBenchmarkError commandBufferFailed(std::string errorName);
    static GPUBenchmarkError noDevice();
    // The process (or the system) could open no more files, so the driver couldn't be loaded
    // nor its device opened: EGL reports that as no device at all.
    static GPUBenchmarkError outOfDescriptors();
    static GPUBenchmarkError resourceAllocation();
    // The driver stopped responding and the system reset the GPU: the context is lost.
    static GPUBenchmarkError deviceReset();

    Kind kind() const { return kind_; }
    // The English detail: what() gives the same text.
    std::string detail() const { return what(); }
    // The kind's own message; a compiler log or a driver's error name is its one argument.
    LocalizedMessage userMessage() const;

    bool operator==(const GPUBenchmarkError& other) const { return kind_ == other.kind_ && detail() == other.detail(); }

private:
    GPUBenchmarkError(Kind kind, const std::string& detail, std::string outsideText = {})
        : std::runtime_error(detail), kind_(kind), outsideText_(std::move(outsideText)) {}

    Kind kind_;
    std::string outsideText_;
};

} // namespace zantiva
