#include "Model/SensorSnapshot.h"

#include <gtest/gtest.h>

using namespace zantiva;

TEST(SensorSnapshot, EqualityIncludesTimeAndTellsAbsentFromZero) {
    SensorSnapshot a;
    const SensorSnapshot copy = a;
    EXPECT_EQ(a, copy);
    SensorSnapshot later = a;
    later.timestamp += std::chrono::milliseconds(1);
    EXPECT_NE(a, later);

    SensorSnapshot zero = a;
    zero.cpuTemperatureCelsius = 0.0;
    EXPECT_NE(a, zero);
    SensorSnapshot fans = a;
    fans.fanRPM = {1200};
    EXPECT_NE(a, fans);
}

TEST(SensorSnapshot, BlankValues) {
    const SensorSnapshot s;
    EXPECT_EQ(s.memoryPressure, MemoryPressure::normal);
    EXPECT_EQ(s.thermalState, ThermalState::nominal);
    EXPECT_FALSE(s.hasSensorAccess);
    EXPECT_FALSE(s.systemPowerWatts.has_value());
    EXPECT_LE(std::chrono::system_clock::now() - s.timestamp, std::chrono::minutes(1));
}

TEST(ThermalState, RawValuesOrderAndThrottling) {
    for (int raw = 0; raw <= 3; ++raw) EXPECT_EQ(rawValue(*thermalStateFromRaw(raw)), raw);
    EXPECT_EQ(thermalStateFromRaw(4), std::nullopt);
    EXPECT_EQ(thermalStateFromRaw(-1), std::nullopt);

    EXPECT_FALSE(isThrottling(ThermalState::nominal));
    EXPECT_FALSE(isThrottling(ThermalState::fair));
    EXPECT_TRUE(isThrottling(ThermalState::serious));
    EXPECT_TRUE(isThrottling(ThermalState::critical));
    EXPECT_TRUE(ThermalState::fair < ThermalState::serious);
    EXPECT_FALSE(ThermalState::critical < ThermalState::nominal);
    EXPECT_EQ(localizationKey(ThermalState::serious), "Telemetry.Thermal.Serious");
}

TEST(MemoryPressure, RawTextsAreCaseSensitive) {
    EXPECT_EQ(fromRaw<MemoryPressure>("warning"), MemoryPressure::warning);
    EXPECT_EQ(fromRaw<MemoryPressure>("Normal"), std::nullopt);
    EXPECT_EQ(rawValue(MemoryPressure::critical), "critical");
    EXPECT_EQ(localizationKey(MemoryPressure::critical), "Telemetry.Pressure.Critical");
    EXPECT_EQ(json::required<MemoryPressure>(json::Json{{"p", "normal"}}, "p"), MemoryPressure::normal);
    EXPECT_THROW(json::required<MemoryPressure>(json::Json{{"p", "high"}}, "p"), json::DecodeError);
}
