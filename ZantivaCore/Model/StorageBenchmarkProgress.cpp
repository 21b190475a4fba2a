#include "Model/StorageBenchmarkProgress.h"

#include <algorithm>

namespace zantiva {

double StorageBenchmarkProgress::percentComplete() const {
    if (!(totalDurationSeconds > 0)) return 0;
    return std::min(100.0, elapsedSeconds / totalDurationSeconds * 100.0);
}

} // namespace zantiva
