#pragma once

#include <algorithm>
#include <concepts>
#include <cstdint>

namespace zantiva {

// A check whose findings each cost a fixed number of points from 100.
template <typename T>
concept DeductionScored = requires(const T& result) {
    { result.deductionCount() } -> std::convertible_to<std::int64_t>;
    { T::pointsPerDeduction } -> std::convertible_to<std::int64_t>;
};

template <DeductionScored T> std::int64_t pointsDeducted(const T& result) {
    return static_cast<std::int64_t>(result.deductionCount()) * T::pointsPerDeduction;
}

// 100 less the points deducted, never below 0.
template <DeductionScored T> std::int64_t deductionScore(const T& result) {
    return std::max<std::int64_t>(0, 100 - pointsDeducted(result));
}

} // namespace zantiva
