#include <gtest/gtest.h>

#include "Platform/SplitMix64.h"

namespace zantiva {
namespace {

TEST(SplitMix64, FollowsThePublishedSequence) {
    SplitMix64 generator(0);
    EXPECT_EQ(generator.next(), 0xE220A8397B1DCDAFULL);
    EXPECT_EQ(generator.next(), 0x6E789E6AA1B965F4ULL);
    EXPECT_EQ(generator.next(), 0x06C45D188009454FULL);
    EXPECT_EQ(generator.state, 3 * 0x9E3779B97F4A7C15ULL);
}

} // namespace
} // namespace zantiva
