#include <gtest/gtest.h>

#include "Engines/GpuBands.h"

namespace zantiva {
namespace {

TEST(GpuBands, BandCountFollowsTheFrameTime) {
    for (const auto& [ms, bands] : {std::pair{1.0, 1}, {400.0, 1}, {400.1, 2}, {1000.0, 3}, {6400.0, 16}, {1e300, 16}})
        EXPECT_EQ(bandsForFrameTime(ms), bands) << ms;
}

TEST(GpuBands, LayoutSplitsTheFrameIntoEqualBandsWithAShorterLast) {
    const GpuBandLayout eight(2880, 8);
    EXPECT_EQ(eight.count(), 8);
    EXPECT_EQ(eight.band(7), (GpuBand{2520, 360}));

    const GpuBandLayout seven(2880, 7);
    EXPECT_EQ(seven.count(), 7);
    EXPECT_EQ(seven.band(0), (GpuBand{0, 412}));
    EXPECT_EQ(seven.band(6), (GpuBand{2472, 408}));
}

TEST(GpuBands, ForcedCountsNeverLeaveEmptyBandsPastTheBottom) {
    // 2,000 bands of 2,880 rows: 2-row bands, so 1,440 of them, not 560 empty or negative ones.
    const GpuBandLayout many(2880, 2000);
    EXPECT_EQ(many.bandHeight(), 2);
    EXPECT_EQ(many.count(), 1440);
    EXPECT_EQ(many.band(1439), (GpuBand{2878, 2}));

    // Every height and request: bands cover the rows exactly once, none empty.
    for (int height = 1; height <= 64; ++height) {
        for (int bands = 1; bands <= 80; ++bands) {
            const GpuBandLayout layout(height, bands);
            EXPECT_LE(layout.count(), bands);
            int next = 0;
            for (int b = 0; b < layout.count(); ++b) {
                const GpuBand band = layout.band(b);
                ASSERT_EQ(band.y, next) << height << " rows, " << bands << " bands";
                ASSERT_GE(band.height, 1) << height << " rows, " << bands << " bands";
                next += band.height;
            }
            ASSERT_EQ(next, height) << height << " rows, " << bands << " bands";
        }
    }
    EXPECT_EQ(GpuBandLayout(10, 0).count(), 1);
}

} // namespace
} // namespace zantiva
