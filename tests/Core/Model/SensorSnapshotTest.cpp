#include "Model/SensorSnapshot.h"

#include <gtest/gtest.h>

using namespace zantiva;

TEST(ThermalState, RawValuesAndThrottling) {
    for (int raw = 0; raw <= 3; ++raw) {
        EXPECT_EQ(rawValue(*thermalStateFromRaw(raw)), raw);
        EXPECT_EQ(isThrottling(*thermalStateFromRaw(raw)), raw >= 2) << raw;
    }
    EXPECT_EQ(thermalStateFromRaw(4), std::nullopt);
    EXPECT_EQ(thermalStateFromRaw(-1), std::nullopt);
}

// Enumerations stored as text read back only their exact text.
TEST(RawValues, TextsAreCaseSensitiveAndUnknownOnesFailTheRecord) {
    EXPECT_EQ(fromRaw<MemoryPressure>("warning"), MemoryPressure::warning);
    EXPECT_EQ(fromRaw<MemoryPressure>("Normal"), std::nullopt);
    EXPECT_EQ(json::required<MemoryPressure>(json::Json{{"p", "critical"}}, "p"), MemoryPressure::critical);
    EXPECT_THROW(json::required<MemoryPressure>(json::Json{{"p", "high"}}, "p"), json::DecodeError);
}
