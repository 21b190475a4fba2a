#include "Engines/GpuBands.h"

#include <algorithm>
#include <cmath>

namespace zantiva {
namespace {
constexpr double bandMs = 400.0;
constexpr double mostBands = 16.0;
} // namespace

int bandsForFrameTime(double frameMs) {
    return static_cast<int>(std::clamp(std::ceil(frameMs / bandMs), 1.0, mostBands));
}

GpuBandLayout::GpuBandLayout(int height, int requestedBands) : height_(std::max(height, 1)) {
    const int bands = std::clamp(requestedBands, 1, height_);
    bandHeight_ = (height_ + bands - 1) / bands;
    count_ = (height_ + bandHeight_ - 1) / bandHeight_;
}

GpuBand GpuBandLayout::band(int index) const {
    const int y = index * bandHeight_;
    return {y, std::min(bandHeight_, height_ - y)};
}

} // namespace zantiva
