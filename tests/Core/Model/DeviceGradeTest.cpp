#include "Model/DeviceGrade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace zantiva;
using G = DeviceGrade;

TEST(DeviceGrade, FromHealthScoreAtEveryBoundary) {
    const std::pair<double, G> cases[] = {
        {150, G::s}, {100, G::s}, {99.99, G::a}, {90, G::a}, {89.9, G::b}, {75, G::b}, {74.99, G::c},
        {60, G::c},  {59.9, G::d}, {40, G::d},  {39.9, G::e}, {20, G::e},  {19.99, G::f}, {0, G::f},
        {-5, G::f},  {std::nan(""), G::f},
    };
    for (const auto& [score, grade] : cases) EXPECT_EQ(deviceGradeFromHealthScore(score), grade) << score;
}

TEST(DeviceGrade, LoweringStopsAtF) {
    EXPECT_EQ(lowered(G::b, 0), G::b);
    EXPECT_EQ(lowered(G::b, -3), G::b);
    EXPECT_EQ(lowered(G::b, 2), G::d);
    EXPECT_EQ(lowered(G::e, 5), G::f);
    EXPECT_EQ(lowered(G::s, std::numeric_limits<long long>::max()), G::f);
}

TEST(DeviceGrade, BatteryPenaltyBands) {
    const std::pair<std::optional<double>, G> onA[] = {
        {79.9, G::b}, {69.9, G::c}, {70, G::b},  {80, G::a}, {100, G::a},
        {0, G::a},    {-4, G::a},   {std::nan(""), G::a},    {std::nullopt, G::a},
    };
    for (const auto& [percent, grade] : onA)
        EXPECT_EQ(applyingBatteryPenalty(G::a, percent), grade) << percent.value_or(-999);
    EXPECT_EQ(applyingBatteryPenalty(G::e, 50), G::f);
}
