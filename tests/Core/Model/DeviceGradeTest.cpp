#include "Model/DeviceGrade.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(DeviceGrade, LettersTonesAndVerdicts) {
    struct Row {
        G grade;
        std::string_view letter;
        DeviceGradeTone tone;
        std::string_view verdict;
    };
    const Row rows[] = {
        {G::s, "S", DeviceGradeTone::good, "Result.Grade.Excellent"},
        {G::a, "A", DeviceGradeTone::good, "Result.Grade.Excellent"},
        {G::b, "B", DeviceGradeTone::fair, "Result.Grade.Good"},
        {G::c, "C", DeviceGradeTone::fair, "Result.Grade.Fair"},
        {G::d, "D", DeviceGradeTone::poor, "Result.Grade.NeedsAttention"},
        {G::e, "E", DeviceGradeTone::poor, "Result.Grade.NeedsAttention"},
        {G::f, "F", DeviceGradeTone::poor, "Result.Grade.NeedsAttention"},
    };
    const auto all = allCases<G>();
    ASSERT_EQ(all.size(), std::size(rows));
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i], rows[i].grade);
        EXPECT_EQ(rawValue(rows[i].grade), rows[i].letter);
        EXPECT_EQ(fromRaw<G>(rows[i].letter), rows[i].grade);
        EXPECT_EQ(tone(rows[i].grade), rows[i].tone);
        EXPECT_EQ(verdictKey(rows[i].grade), rows[i].verdict);
    }
    EXPECT_EQ(fromRaw<G>("s"), std::nullopt);
    EXPECT_THROW(json::required<G>(json::Json{{"grade", "a"}}, "grade"), json::DecodeError);
    EXPECT_EQ(json::required<G>(json::Json{{"grade", "E"}}, "grade"), G::e);
}

TEST(DeviceGrade, OrderPutsTheWorseGradeHigher) {
    EXPECT_LT(G::s, G::a);
    EXPECT_GT(G::f, G::e);
    EXPECT_EQ(std::max(G::a, G::c), G::c);
}

TEST(DeviceGrade, LoweringStopsAtF) {
    EXPECT_EQ(lowered(G::b, 0), G::b);
    EXPECT_EQ(lowered(G::b, -3), G::b);
    EXPECT_EQ(lowered(G::b, 2), G::d);
    EXPECT_EQ(lowered(G::e, 5), G::f);
    EXPECT_EQ(lowered(G::s, 6), G::f);
    EXPECT_EQ(lowered(G::s, std::numeric_limits<long long>::max()), G::f);
}

TEST(DeviceGrade, BatteryPenaltyBands) {
    const std::pair<std::optional<double>, G> onA[] = {
        {79.9, G::b}, {69.9, G::c}, {70, G::b},  {80, G::a}, {100, G::a},
        {0, G::a},    {-4, G::a},   {std::nan(""), G::a},    {std::nullopt, G::a},
    };
    for (const auto& [percent, grade] : onA)
        EXPECT_EQ(applyingBatteryPenalty(G::a, percent), grade) << percent.value_or(-999);
    EXPECT_EQ(applyingBatteryPenalty(G::f, 50), G::f);
    EXPECT_EQ(applyingBatteryPenalty(G::e, 50), G::f);
}
