#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "Model/RawValues.h"

namespace zantiva {

// The letter grade of a machine's health, best first: S < A < … < F, so the worse of two
// grades is the greater. Stored and sent as its letter.
enum class DeviceGrade { s, a, b, c, d, e, f };

template <> struct RawValues<DeviceGrade> {
    static constexpr std::array<std::pair<DeviceGrade, std::string_view>, 7> table{{
        {DeviceGrade::s, "S"},
        {DeviceGrade::a, "A"},
        {DeviceGrade::b, "B"},
        {DeviceGrade::c, "C"},
        {DeviceGrade::d, "D"},
        {DeviceGrade::e, "E"},
        {DeviceGrade::f, "F"},
    }};
};

// The accent by which the screens colour a grade.
enum class DeviceGradeTone { good, fair, poor };

// S only for 100 or more; F below 20 and for a score that is not a number.
DeviceGrade deviceGradeFromHealthScore(double healthScore);
DeviceGradeTone tone(DeviceGrade grade);
// The message key of the grade's verdict ("Result.Grade.Excellent" …).
std::string_view verdictKey(DeviceGrade grade);
// That many steps worse, never worse than F; a negative count changes nothing.
DeviceGrade lowered(DeviceGrade grade, long long steps);
// Two steps worse below 70 %, one below 80 %; unchanged without a measured percent (absent,
// 0 or less, not a number).
DeviceGrade applyingBatteryPenalty(DeviceGrade grade, std::optional<double> healthPercent);

} // namespace zantiva
