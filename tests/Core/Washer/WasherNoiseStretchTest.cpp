#include <gtest/gtest.h>

#include "Washer/WasherNoiseStretch.h"

namespace zantiva {
namespace {

struct Stretched {
    std::vector<std::uint32_t> pixels;
    std::vector<int> bandTops;
};

Stretched stretched(WasherNoiseStretch& stretch, const WasherNoiseField& field, int width, int height) {
    Stretched out{std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0), {}};
    stretch.stretch(field, width, height, [&](const std::uint32_t* pixels, int top, int rows) {
        out.bandTops.push_back(top);
        std::copy(pixels, pixels + static_cast<std::size_t>(rows) * width, out.pixels.begin() + std::ptrdiff_t(top) * width);
    });
    return out;
}

TEST(WasherNoiseStretch, EverySurfacePixelTakesTheFieldPixelUnderItsCentre) {
    WasherNoiseField field(7);
    field.resize(1920, 1080);
    field.fill(true);
    WasherNoiseStretch stretch;
    // 1.5 times (a 2880 x 1800 screen), 2 times and a size that divides unevenly.
    for (const auto& [width, height] : {std::pair{2880, 1800}, std::pair{3840, 2160}, std::pair{2561, 1441}}) {
        const Stretched out = stretched(stretch, field, width, height);
        for (int y = 0; y < height; y += 7)
            for (int x = 0; x < width; x += 5) {
                const int fx = (2 * x + 1) * 1920 / (2 * width), fy = (2 * y + 1) * 1080 / (2 * height);
                ASSERT_EQ(out.pixels[static_cast<std::size_t>(y) * width + x], field.pixels()[std::size_t(fy) * 1920 + fx])
                    << width << "x" << height << " at " << x << "," << y;
            }
        // The last row and column come from the field's last ones: nothing is cut off.
        EXPECT_EQ(out.pixels.back(), field.pixels().back());
        // Bands follow each other without gap or overlap.
        for (std::size_t i = 0; i < out.bandTops.size(); ++i)
            EXPECT_EQ(out.bandTops[i], static_cast<int>(i) * WasherNoiseStretch::bandRows);
        EXPECT_GT(out.bandTops.back() + WasherNoiseStretch::bandRows, height - 1);
    }
}

TEST(WasherNoiseStretch, ANewFrameAndANewSizeAreFollowed) {
    WasherNoiseField field(3);
    field.resize(4, 2);
    field.fill(false);
    WasherNoiseStretch stretch;
    const auto first = stretched(stretch, field, 8, 4).pixels;
    EXPECT_EQ(first[0], first[1]);   // two surface pixels per field pixel
    EXPECT_EQ(first[0], first[8]);
    field.fill(false);
    EXPECT_NE(stretched(stretch, field, 8, 4).pixels, first);
    field.resize(2, 1);
    const auto smaller = stretched(stretch, field, 6, 3).pixels;
    const std::uint32_t a = field.pixels()[0], b = field.pixels()[1];
    EXPECT_EQ(smaller, (std::vector<std::uint32_t>{a, a, a, b, b, b, a, a, a, b, b, b, a, a, a, b, b, b}));
}

} // namespace
} // namespace zantiva
