#pragma once

#include <cstdint>
#include <vector>

#include "Platform/SplitMix64.h"

namespace zantiva {

// The washer's static noise: a field of random pixels as 32-bit words (0xAARRGGBB with the
// alpha byte set, ready to be shown as an RGB32 image), refilled for every frame. The field
// follows the surface's device pixels up to 1920 x 1080; a larger screen stretches it.
class WasherNoiseField {
public:
    static constexpr int maximumWidth = 1920;
    static constexpr int maximumHeight = 1080;

    explicit WasherNoiseField(std::uint64_t seed) : random_(seed) {}

    // Sizes the field for a surface of this many device pixels; the buffer is only made anew
    // when the size changes.
    void resize(int deviceWidth, int deviceHeight);
    // Colour noise takes one generator output per two pixels; grey noise one per eight, with
    // equal red, green and blue.
    void fill(bool colored);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

private:
    SplitMix64 random_;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

} // namespace zantiva
