#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Probes/LoadTrace.h"
#include "Probes/TelemetryFeed.h"
#include "Model/TelemetryHistory.h"

namespace zantiva {
namespace {

TEST(TelemetryHistory, KeepsTheNewestValuesUpToItsCapacityAndNonFiniteOnesAsZero) {
    TelemetryHistory history(90);
    EXPECT_FALSE(history.latest());
    EXPECT_EQ(history.peak(), 0.0);
    for (int i = 0; i < 91; ++i) history.append(i);
    ASSERT_EQ(history.values().size(), 90u);
    EXPECT_EQ(history.values().front(), 1.0);
    EXPECT_EQ(history.latest(), 90.0);
    EXPECT_EQ(history.peak(), 90.0);

    TelemetryHistory one(0);
    EXPECT_EQ(one.capacity(), 1);
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 4.0}) {
        one.append(v);
        EXPECT_EQ(one.values(), std::vector<double>{std::isfinite(v) ? v : 0});
    }
}

SensorSnapshot snapshot(double cpu, std::optional<double> gpu, std::optional<double> temperature = {},
                        std::optional<double> power = {}) {
    SensorSnapshot s;
    s.cpuLoadPercent = cpu;
    s.gpuLoadPercent = gpu;
    s.gpuTemperatureCelsius = temperature;
    s.cpuTemperatureCelsius = temperature;
    s.systemPowerWatts = power;
    return s;
}

TEST(LoadTrace, AMissingReadingRepeatsTheNewestValueAndLeavesItsFlag) {
    LoadTrace trace;
    trace.record(snapshot(10, std::nullopt), LoadTrace::Subject::gpu);
    EXPECT_EQ(trace.load.values(), std::vector<double>{0});
    EXPECT_FALSE(trace.currentLoad);
    EXPECT_FALSE(trace.hasLoad);
    trace.record(snapshot(10, 40, 70, 30), LoadTrace::Subject::gpu);
    EXPECT_TRUE(trace.hasLoad);
    EXPECT_TRUE(trace.hasTemperature);
    trace.record(snapshot(10, std::nullopt), LoadTrace::Subject::gpu);
    EXPECT_EQ(trace.load.values(), (std::vector<double>{0, 40, 40}));
    EXPECT_EQ(trace.temperature.values(), (std::vector<double>{0, 70, 70}));
    EXPECT_EQ(trace.power.values(), (std::vector<double>{0, 30, 30}));
    EXPECT_FALSE(trace.currentTemperature);   // cleared by the snapshot without one
    EXPECT_TRUE(trace.hasTemperature);        // but once seen, always known
}

TEST(LoadTrace, TheCpuSubjectAlwaysHasALoad) {
    LoadTrace trace;
    trace.record(snapshot(55, std::nullopt), LoadTrace::Subject::cpu);
    EXPECT_EQ(trace.currentLoad, 55.0);
    EXPECT_TRUE(trace.hasLoad);
    EXPECT_FALSE(trace.hasPower);
}

TEST(LoadTrace, ThePowerScaleIsAWholeNumberOfStepsOfFiftyWatts) {
    for (auto [sample, ceiling] : std::vector<std::pair<std::optional<double>, double>>{
             {std::nullopt, 50}, {50.0, 50}, {50.1, 100}, {230.0, 250}, {0.5, 50}}) {
        LoadTrace trace;
        if (sample) trace.record(snapshot(0, 0, 0, sample), LoadTrace::Subject::cpu);
        EXPECT_EQ(trace.powerCeiling(), ceiling);
    }
}

TEST(TelemetryFeed, PublishingAppendsEveryHistoryAndReportsOnlyRealChanges) {
    TelemetryFeed feed;
    auto s = snapshot(20, std::nullopt);
    s.ramLoadPercent = 40;
    EXPECT_TRUE(feed.publish(s));
    EXPECT_FALSE(feed.publish(s));   // equal snapshot: the histories still advance
    EXPECT_EQ(feed.cpuHistory().values(), (std::vector<double>{20, 20}));
    EXPECT_EQ(feed.ramHistory().values(), (std::vector<double>{40, 40}));
    EXPECT_EQ(feed.gpuHistory().values(), (std::vector<double>{0, 0}));
    EXPECT_EQ(feed.latest(), s);
}

} // namespace
} // namespace zantiva
