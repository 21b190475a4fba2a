#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "Washer/WasherNoiseField.h"

namespace zantiva {

// The noise field stretched onto a surface larger than the field, nearest neighbour: every
// surface pixel takes the field pixel under its centre, so each noise pixel stays a
// hard-edged block. The surface is made a band of rows at a time in a buffer small enough to
// stay in the processor's cache, and each band is handed on to be copied out; a row that
// takes the same field row as the row above it is copied whole. The column map is worked
// out only when a size changes.
class WasherNoiseStretch {
public:
    static constexpr int bandRows = 32;
    // A band: `rows` rows of the surface's width from row `top`, one after another.
    using Band = std::function<void(const std::uint32_t* pixels, int top, int rows)>;

    // The field must have been sized.
    void stretch(const WasherNoiseField& field, int width, int height, const Band& band);

private:
    void resize(const WasherNoiseField& field, int width, int height);

    int fieldWidth_ = 0, fieldHeight_ = 0, width_ = 0, height_ = 0;
    std::vector<std::uint32_t> columns_;   // the field column of each surface column
    std::vector<std::uint32_t> rows_;      // the field row of each surface row
    std::vector<std::uint32_t> band_;
};

} // namespace zantiva
