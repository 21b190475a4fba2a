#include "Platform/MonotonicClock.h"

#include <time.h>

namespace zantiva {

std::uint64_t monotonicRawNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_RAW, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1'000'000'000ULL + static_cast<std::uint64_t>(ts.tv_nsec);
}

} // namespace zantiva
