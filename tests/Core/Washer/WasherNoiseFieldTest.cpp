#include <gtest/gtest.h>

#include "Washer/WasherNoiseField.h"

namespace zantiva {
namespace {

TEST(WasherNoiseField, TheFieldFollowsTheSurfaceUpToFullHd) {
    WasherNoiseField field(1);
    const std::vector<std::pair<std::pair<int, int>, std::pair<int, int>>> sizes{
        {{2880, 1800}, {1920, 1080}}, {{1280, 800}, {1280, 800}}, {{0, -4}, {1, 1}}};
    for (const auto& [surface, expected] : sizes) {
        field.resize(surface.first, surface.second);
        EXPECT_EQ(std::make_pair(field.width(), field.height()), expected);
        EXPECT_EQ(field.pixels().size(), static_cast<std::size_t>(expected.first * expected.second));
    }
    field.resize(3, 3);
    const std::uint32_t* buffer = field.pixels().data();
    field.resize(3, 3);
    EXPECT_EQ(field.pixels().data(), buffer) << "the same size keeps its buffer";
}

TEST(WasherNoiseField, GreyNoiseIsGreyColourNoiseIsNotAndEveryPixelIsOpaque) {
    WasherNoiseField field(42);
    field.resize(101, 7); // odd: the last colour pixel is left alone
    const auto red = [](std::uint32_t p) { return (p >> 16) & 0xFF; };
    const auto green = [](std::uint32_t p) { return (p >> 8) & 0xFF; };
    const auto blue = [](std::uint32_t p) { return p & 0xFF; };

    field.fill(false);
    for (std::uint32_t p : field.pixels()) {
        ASSERT_EQ(p >> 24, 0xFFu);
        ASSERT_TRUE(red(p) == green(p) && green(p) == blue(p));
    }
    const std::uint32_t lastGrey = field.pixels().back();
    field.fill(true);
    int coloured = 0;
    for (std::uint32_t p : field.pixels()) {
        ASSERT_EQ(p >> 24, 0xFFu);
        coloured += !(red(p) == green(p) && green(p) == blue(p));
    }
    EXPECT_GT(coloured, 600);
    EXPECT_EQ(field.pixels().back(), lastGrey);
}

} // namespace
} // namespace zantiva
