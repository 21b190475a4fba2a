#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "CLI/PngEncoder.h"

namespace zantiva {
namespace {

std::uint32_t bigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

struct Chunk {
    std::string type;
    std::string data;
};

// Reads the chunks back, checking each one's CRC as a decoder would.
std::vector<Chunk> chunksOf(const std::string& png) {
    std::vector<Chunk> chunks;
    std::size_t at = 8;
    while (at < png.size()) {
        const std::uint32_t length = bigEndian(png, at);
        Chunk chunk{png.substr(at + 4, 4), png.substr(at + 8, length)};
        const auto* typed = reinterpret_cast<const Bytef*>(png.data() + at + 4);
        EXPECT_EQ(bigEndian(png, at + 8 + length), crc32(0L, typed, length + 4)) << chunk.type;
        chunks.push_back(chunk);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

TEST(PngEncoder, WritesRgbaRowsThatADecoderReadsBack) {
    // 3 × 2 pixels, each a different colour, top row first.
    std::vector<std::uint8_t> rgba;
    for (std::uint8_t i = 0; i < 6; ++i) rgba.insert(rgba.end(), {i, static_cast<std::uint8_t>(i * 40), 200, 255});
    const std::string png = encodePng(3, 2, rgba);

    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    const auto chunks = chunksOf(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[0].data, std::string("\0\0\0\3\0\0\0\2\x08\x06\0\0\0", 13));
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());

    std::vector<std::uint8_t> rows(2 * (1 + 3 * 4));
    uLongf size = rows.size();
    ASSERT_EQ(uncompress(rows.data(), &size, reinterpret_cast<const Bytef*>(chunks[1].data.data()), chunks[1].data.size()),
              Z_OK);
    ASSERT_EQ(size, rows.size());
    std::vector<std::uint8_t> expected;
    for (int y = 0; y < 2; ++y) {
        expected.push_back(0); // no filter
        expected.insert(expected.end(), rgba.begin() + y * 12, rgba.begin() + (y + 1) * 12);
    }
    EXPECT_EQ(rows, expected);
}

TEST(PngEncoder, RefusesPixelsThatDoNotMatchTheSize) {
    const std::vector<std::uint8_t> four(4, 0);
    EXPECT_THROW(encodePng(2, 1, four), std::invalid_argument);
    EXPECT_THROW(encodePng(0, 1, {}), std::invalid_argument);
    EXPECT_NO_THROW(encodePng(1, 1, four));
}

} // namespace
} // namespace zantiva
