#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zantiva {

// A PNG file of 8-bit RGBA pixels (rows from the top, width × 4 bytes each): one IHDR,
// one zlib-compressed IDAT with no row filter, IEND. Throws std::invalid_argument when
// the pixel count does not match the size.
std::string encodePng(int width, int height, std::span<const std::uint8_t> rgba);

} // namespace zantiva
