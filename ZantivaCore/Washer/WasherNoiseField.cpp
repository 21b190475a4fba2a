#include "Washer/WasherNoiseField.h"

#include <algorithm>
#include <cstring>

namespace zantiva {
namespace {

constexpr std::uint32_t opaque = 0xFF000000u;
// Grey noise draws its random words a block at a time and spreads their bytes into pixels
// in a loop of fixed length with nothing carried from pixel to pixel: vector code.
constexpr std::size_t greyBlock = 512;

void spreadGrey(const unsigned char* bytes, std::uint32_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) out[i] = bytes[i] * 0x010101u | opaque;
}

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
    std::uint64_t words[greyBlock / 8];
    unsigned char bytes[greyBlock];
    for (std::size_t done = 0; done < count; done += greyBlock) {
        for (auto& word : words) word = random_.next();
        std::memcpy(bytes, words, greyBlock);
        const std::size_t n = count - done;
        if (n >= greyBlock) spreadGrey(bytes, out + done, greyBlock);
        else spreadGrey(bytes, out + done, n);
    }
}

} // namespace zantiva
