#include "Washer/WasherNoiseStretch.h"

#include <algorithm>
#include <cstring>

namespace zantiva {
namespace {

// The source index under the centre of each of `to` target cells spread over `from` cells.
std::vector<std::uint32_t> centres(int from, int to) {
    std::vector<std::uint32_t> map(static_cast<std::size_t>(to));
    for (int i = 0; i < to; ++i) map[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>((2LL * i + 1) * from / (2LL * to));
    return map;
}

} // namespace

void WasherNoiseStretch::resize(const WasherNoiseField& field, int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (field.width() == fieldWidth_ && field.height() == fieldHeight_ && width == width_ && height == height_) return;
    fieldWidth_ = field.width();
    fieldHeight_ = field.height();
    width_ = width;
    height_ = height;
    columns_ = centres(fieldWidth_, width_);
    rows_ = centres(fieldHeight_, height_);
    band_.assign(static_cast<std::size_t>(width_) * bandRows, 0);
}

void WasherNoiseStretch::stretch(const WasherNoiseField& field, int width, int height, const Band& band) {
    resize(field, width, height);
    const std::uint32_t* source = field.pixels().data();
    const auto w = static_cast<std::size_t>(width_);
    const auto fieldW = static_cast<std::size_t>(fieldWidth_);
    const std::uint32_t* columns = columns_.data();
    for (int top = 0; top < height_; top += bandRows) {
        const int rows = std::min(bandRows, height_ - top);
        for (int r = 0; r < rows; ++r) {
            const auto y = static_cast<std::size_t>(top + r);
            std::uint32_t* row = band_.data() + static_cast<std::size_t>(r) * w;
            if (r > 0 && rows_[y] == rows_[y - 1]) {
                std::memcpy(row, row - w, w * sizeof(std::uint32_t));
                continue;
            }
            const std::uint32_t* from = source + rows_[y] * fieldW;
            for (std::size_t x = 0; x < w; ++x) row[x] = from[columns[x]];
        }
        band(band_.data(), top, rows);
    }
}

} // namespace zantiva
