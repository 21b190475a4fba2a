#include "Washer/WasherNoiseField.h"

#include <algorithm>

namespace zantiva {
namespace {

constexpr std::uint32_t opaque = 0xFF000000u;

} // namespace

void WasherNoiseField::resize(int deviceWidth, int deviceHeight) {
    const int width = std::clamp(deviceWidth, 1, maximumWidth);
    const int height = std::clamp(deviceHeight, 1, maximumHeight);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), opaque);
}

void WasherNoiseField::fill(bool colored) {
    const std::size_t count = pixels_.size();
    std::uint32_t* out = pixels_.data();
    if (colored) {
        // An odd last pixel keeps what it had.
        for (std::size_t i = 0; i + 1 < count; i += 2) {
            const std::uint64_t bits = random_.next();
            out[i] = static_cast<std::uint32_t>(bits) | opaque;
            out[i + 1] = static_cast<std::uint32_t>(bits >> 32) | opaque;
        }
        return;
    }
    for (std::size_t i = 0; i < count; i += 8) {
        std::uint64_t bits = random_.next();
        const std::size_t end = std::min(count, i + 8);
        for (std::size_t j = i; j < end; ++j, bits >>= 8)
            out[j] = static_cast<std::uint32_t>(bits & 0xFF) * 0x010101u | opaque;
    }
}

} // namespace zantiva
