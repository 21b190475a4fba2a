#include "Model/BenchmarkBaseline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace zantiva;
using B = BenchmarkBaseline;

TEST(BenchmarkBaseline, TimesThatAreNotPositiveScoreZero) {
    const double bad[] = {0.0, -0.0, -5.0, std::nan(""), std::numeric_limits<double>::denorm_min()};
    for (double t : bad) {
        EXPECT_EQ(B::cpuMultiCoreScore(t), 0) << t;
        EXPECT_EQ(B::cpuSingleCoreScore(t), 0) << t;
        EXPECT_EQ(B::gpuScore(t), 0) << t;
    }
}

TEST(BenchmarkBaseline, WorkUnitHoldsTheExpectedPrimeCount) {
    const auto isPrime = [](std::uint64_t n) {
        for (std::uint64_t d = 3; d * d <= n; d += 2)
            if (n % d == 0) return false;
        return true;
    };
    std::int64_t primes = 0;
    for (std::int64_t i = 0; i < B::cpuUnitOddNumbers; ++i) primes += isPrime(B::cpuUnitStart + 2 * i);
    EXPECT_EQ(primes, B::cpuUnitExpectedPrimes);
}
