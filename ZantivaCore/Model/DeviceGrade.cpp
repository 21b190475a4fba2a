#include "Model/DeviceGrade.h"

#include <algorithm>

namespace zantiva {
namespace {

// Lowest health score of each grade; the first threshold reached wins.
constexpr std::array<std::pair<double, DeviceGrade>, 6> scoreThresholds{{
    {100, DeviceGrade::s},
    {90, DeviceGrade::a},
    {75, DeviceGrade::b},
    {60, DeviceGrade::c},
    {40, DeviceGrade::d},
    {20, DeviceGrade::e},
}};

} // namespace

DeviceGrade deviceGradeFromHealthScore(double healthScore) {
    for (const auto& [lowest, grade] : scoreThresholds)
        if (healthScore >= lowest) return grade;
    return DeviceGrade::f;
}

DeviceGradeTone tone(DeviceGrade grade) {
    if (grade <= DeviceGrade::a) return DeviceGradeTone::good;
    if (grade <= DeviceGrade::c) return DeviceGradeTone::fair;
    return DeviceGradeTone::poor;
}

std::string_view verdictKey(DeviceGrade grade) {
    switch (grade) {
    case DeviceGrade::s:
    case DeviceGrade::a: return "Result.Grade.Excellent";
    case DeviceGrade::b: return "Result.Grade.Good";
    case DeviceGrade::c: return "Result.Grade.Fair";
    default: return "Result.Grade.NeedsAttention";
    }
}

DeviceGrade lowered(DeviceGrade grade, long long steps) {
    const long long worst = static_cast<long long>(DeviceGrade::f);
    const long long position = static_cast<long long>(grade);
    return static_cast<DeviceGrade>(std::min(worst, position + std::clamp(steps, 0LL, worst)));
}

DeviceGrade applyingBatteryPenalty(DeviceGrade grade, std::optional<double> healthPercent) {
    if (!healthPercent || !(*healthPercent > 0)) return grade;
    if (*healthPercent < 70) return lowered(grade, 2);
    if (*healthPercent < 80) return lowered(grade, 1);
    return grade;
}

} // namespace zantiva
