#include "Model/BenchmarkBaseline.h"

#include <cmath>

namespace zantiva {

namespace {

double relativeScore(double referenceMs, double measuredMs, double scale) {
    if (!(measuredMs > 0)) return 0;
    const double score = referenceMs / measuredMs * scale;
    // A vanishingly small time would give an infinity that no stored file can hold.
    return std::isfinite(score) ? score : 0;
}

} // namespace

double BenchmarkBaseline::cpuMultiCoreScore(double durationMs) {
    return relativeScore(cpuReferenceMultiCoreMs, durationMs, cpuMultiCoreScale);
}

double BenchmarkBaseline::cpuSingleCoreScore(double durationMs) {
    return relativeScore(cpuReferenceSingleCoreMs, durationMs, defaultScale);
}

double BenchmarkBaseline::gpuScore(double frameTimeMs) {
    return relativeScore(gpuReferenceFrameMs, frameTimeMs, defaultScale);
}

} // namespace zantiva
