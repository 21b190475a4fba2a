#include "Engines/StorageBenchmarkConfiguration.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace zantiva {

void StorageBenchmarkConfiguration::validate() const {
    if (fileSize < minimumFileSize || fileSize % 4096 != 0)
        throw std::invalid_argument("storage test file size " + std::to_string(fileSize) +
                                    " is not a multiple of 4096 bytes of at least 1 MiB");
    if (!std::isfinite(measureSeconds) || measureSeconds < 0)
        throw std::invalid_argument("storage measuring time must be finite and not negative");
}

double StorageBenchmarkConfiguration::estimatedSeconds(int testCount) const {
    return (measureSeconds * runsPerTest + settleSeconds) * testCount + 2.0;
}

} // namespace zantiva
