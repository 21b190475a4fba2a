#include "CLI/PngEncoder.h"

#include <zlib.h>

#include <array>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace zantiva {
namespace {

constexpr std::string_view signature("\x89PNG\r\n\x1a\n", 8);
constexpr std::uint8_t rgbaColourType = 6;
constexpr std::uint8_t noFilter = 0;

void putBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// Length, type, data, and the CRC of type and data.
void putChunk(std::string& out, std::string_view type, std::string_view data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t crcFrom = out.size();
    out.append(type);
    out.append(data);
    const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + crcFrom);
    putBigEndian(out, static_cast<std::uint32_t>(crc32(0L, bytes, static_cast<uInt>(out.size() - crcFrom))));
}

} // namespace

std::string encodePng(int width, int height, std::span<const std::uint8_t> rgba) {
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    if (width < 1 || height < 1 || rgba.size() != row * static_cast<std::size_t>(height))
        throw std::invalid_argument("PNG pixels do not match the image size");

    // Each row starts with its filter type.
    std::vector<std::uint8_t> rows;
    rows.reserve((row + 1) * static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        rows.push_back(noFilter);
        rows.insert(rows.end(), rgba.begin() + static_cast<std::ptrdiff_t>(y * row),
                    rgba.begin() + static_cast<std::ptrdiff_t>((y + 1) * row));
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, rows.data(), static_cast<uLong>(rows.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK)
        throw std::runtime_error("PNG compression failed");
    packed.resize(packedSize);

    std::string header;
    putBigEndian(header, static_cast<std::uint32_t>(width));
    putBigEndian(header, static_cast<std::uint32_t>(height));
    header += std::string{8, static_cast<char>(rgbaColourType), 0, 0, 0}; // depth, colour, compression, filter, interlace

    std::string png(signature);
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", packed);
    putChunk(png, "IEND", {});
    return png;
}

} // namespace zantiva
