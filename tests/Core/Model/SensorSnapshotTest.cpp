#include "Model/SensorSnapshot.h"

#include <gtest/gtest.h>

using namespace zantiva;

// Enumerations stored as text read back only their exact text.
TEST(RawValues, TextsAreCaseSensitiveAndUnknownOnesFailTheRecord) {
    EXPECT_EQ(fromRaw<MemoryPressure>("warning"), MemoryPressure::warning);
    EXPECT_EQ(fromRaw<MemoryPressure>("Normal"), std::nullopt);
    EXPECT_EQ(json::required<MemoryPressure>(json::Json{{"p", "critical"}}, "p"), MemoryPressure::critical);
    EXPECT_THROW(json::required<MemoryPressure>(json::Json{{"p", "high"}}, "p"), json::DecodeError);
}
