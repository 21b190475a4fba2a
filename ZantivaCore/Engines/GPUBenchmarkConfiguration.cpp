#include "Engines/GPUBenchmarkConfiguration.h"

#include <stdexcept>

namespace zantiva {
namespace {

bool fitsInt(int a, int b) {
    int product = 0;
    return !__builtin_mul_overflow(a, b, &product);
}

} // namespace

void GPUBenchmarkConfiguration::validate() const {
    if (outputWidth < 1 || outputHeight < 1 || supersampleFactor < 1)
        throw std::invalid_argument("GPU benchmark sizes must be positive");
    if (!fitsInt(outputWidth, supersampleFactor) || !fitsInt(outputHeight, supersampleFactor) ||
        !fitsInt(supersampleFactor, supersampleFactor))
        throw std::invalid_argument("GPU benchmark render size is too large");
    if (forcedBands && *forcedBands < 1) throw std::invalid_argument("GPU benchmark band count must be at least 1");
}

} // namespace zantiva
