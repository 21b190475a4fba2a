// The station pages' presenters: what each page shows of the runner's readings, including
// readings that are missing, out of range or not numbers.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Localization/Loc.h"
#include "Presenters/BatteryStationPresenter.h"
#include "Presenters/CpuStationPresenter.h"
#include "Presenters/GpuStationPresenter.h"
#include "Presenters/LiveUsagePresenter.h"
#include "Presenters/RamStationPresenter.h"

using namespace zantiva;

namespace {

const double notANumber = std::nan("");
const double inf = std::numeric_limits<double>::infinity();
const Loc english(AppLanguage::english);

std::vector<std::string> labels(const std::vector<MetricValue>& metrics) {
    std::vector<std::string> out;
    for (const auto& metric : metrics) out.push_back(metric.label);
    return out;
}

std::vector<std::string> values(const std::vector<MetricValue>& metrics) {
    std::vector<std::string> out;
    for (const auto& metric : metrics) out.push_back(metric.value);
    return out;
}

LoadTrace traceOf(std::initializer_list<SensorSnapshot> snapshots, LoadTrace::Subject subject) {
    LoadTrace trace;
    for (const auto& snapshot : snapshots) trace.record(snapshot, subject);
    return trace;
}

} // namespace

TEST(LiveUsagePresenter, ChartsOnlyForReadingsTheTraceHasHad) {
    EXPECT_EQ(LiveUsagePresenter::present(LoadTrace{}, LiveUsagePresenter::cpuKeys, english),
              (LiveUsageView{english["Common.LiveUsage"], {}}));

    // Load and power, no temperature: the power chart follows the load chart directly. A 73 W
    // peak puts the power scale at the next multiple of 50.
    const LoadTrace trace = traceOf({{.cpuLoadPercent = 40, .systemPowerWatts = 73}}, LoadTrace::Subject::cpu);
    const LiveUsageView view = LiveUsagePresenter::present(trace, LiveUsagePresenter::cpuKeys, english);
    ASSERT_EQ(view.charts.size(), 2u);
    EXPECT_EQ(view.charts[0].label, english["Cpu.ChartLoad"]);
    EXPECT_EQ(view.charts[0].scale, "0\u2013100");
    EXPECT_EQ(view.charts[0].tint, PaletteColor::primary);
    EXPECT_EQ(view.charts[1].label, english["Cpu.ChartPower"]);
    EXPECT_EQ(view.charts[1].scale, "0\u2013100");
    EXPECT_EQ(view.charts[1].maximum, 100);
    EXPECT_EQ(view.charts[1].values, std::vector<double>{73});
    EXPECT_EQ(view.charts[1].capacity, 90);

    const LoadTrace warm = traceOf({{.gpuTemperatureCelsius = 64}}, LoadTrace::Subject::gpu);
    const LiveUsageView gpu = LiveUsagePresenter::present(warm, LiveUsagePresenter::gpuKeys, english);
    ASSERT_EQ(gpu.charts.size(), 1u);
    EXPECT_EQ(gpu.charts[0].label, english["Gpu.ChartTemperature"]);
    EXPECT_EQ(gpu.charts[0].scale, "0\u2013105");
    EXPECT_EQ(gpu.charts[0].tint, PaletteColor::secondary);
}

TEST(CpuStationPresenter, BeforeTheFirstReportEverythingIsZero) {
    const CpuStationView view = CpuStationPresenter::present({}, english);
    EXPECT_EQ(view.phase, english["Cpu.Phase.Multi"]);
    EXPECT_EQ(view.fraction, 0);
    EXPECT_EQ(labels(view.metrics),
              (std::vector<std::string>{english["Cpu.LiveScore"], english["Cpu.Usage"], english["Common.Elapsed"]}));
    EXPECT_EQ(values(view.metrics), (std::vector<std::string>{"0", "0%", "0s"}));
    EXPECT_FALSE(view.throttle);
    EXPECT_EQ(view.reference, english.f("Cpu.ReferenceShort", "AMD Ryzen AI 7 350"));
}

TEST(CpuStationPresenter, ReadingsAndTheirLimits) {
    struct Case {
        CpuBenchmarkProgress progress;
        double fraction;
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {{.currentScore = 1342.6, .elapsedSeconds = 61.5, .overallFraction = 1.3, .currentLoadPercent = 99.6},
         1,
         {"1,343", "100%", "62s"}},
        {{.currentScore = notANumber, .elapsedSeconds = inf, .overallFraction = notANumber, .currentLoadPercent = -inf},
         0,
         {"\u2014", "\u2014", "\u2014"}},
        {{.overallFraction = -0.2, .currentTemperature = 91.4, .currentPowerWatts = 54.84},
         0,
         {"0", "0%", "91\u00B0C", "54.8 W", "0s"}},
        // A temperature or power that is not a number counts as not read.
        {{.overallFraction = 0.25, .currentTemperature = notANumber, .currentPowerWatts = inf}, 0.25, {"0", "0%", "0s"}},
    };
    for (const Case& c : cases) {
        const CpuStationView view = CpuStationPresenter::present({c.progress, {}}, english);
        EXPECT_EQ(view.fraction, c.fraction);
        EXPECT_EQ(values(view.metrics), c.values);
    }
    const CpuStationView hot = CpuStationPresenter::present({CpuBenchmarkProgress{.currentTemperature = 91.4}, {}}, english);
    EXPECT_EQ(hot.metrics[2], (MetricValue{english["Cpu.Temperature"], "91\u00B0C", PaletteColor::primary}));
    const CpuStationView throttled =
        CpuStationPresenter::present({CpuBenchmarkProgress{.phase = CpuBenchmarkPhase::sustained, .throttleDetected = true}, {}},
                                     english);
    EXPECT_EQ(throttled.phase, english["Cpu.Phase.Sustained"]);
    EXPECT_EQ(throttled.throttle, english["Cpu.Throttle"]);
}

TEST(GpuStationPresenter, TheBarHoldsAtNinetyNinePercentUntilTheSustainedStage) {
    struct Case {
        GpuBenchmarkStage stage;
        double elapsed;
        int minutes;
        double fraction;
    };
    const Case cases[] = {
        {GpuBenchmarkStage::measuring, 200, 3, 0.99}, {GpuBenchmarkStage::sustained, 90, 3, 0.5},
        {GpuBenchmarkStage::sustained, 200, 3, 1},    {GpuBenchmarkStage::warmUp, 0.5, 0, 0.5}, // at least 1 s
        {GpuBenchmarkStage::warmUp, notANumber, 3, 0},       {GpuBenchmarkStage::sustained, inf, 3, 0},
        {GpuBenchmarkStage::initializing, -4, 3, 0},
    };
    for (const Case& c : cases) {
        const GpuStationState state{.progress = GpuRenderProgress{.stage = c.stage, .elapsedSeconds = c.elapsed},
                                    .durationMinutes = c.minutes};
        EXPECT_DOUBLE_EQ(GpuStationPresenter::present(state, english).fraction, c.fraction) << c.elapsed;
    }
}

TEST(GpuStationPresenter, StagesValuesAndTheTracesReadings) {
    GpuStationState state{.progress = GpuRenderProgress{.stage = GpuBenchmarkStage::measuring,
                                                        .framesDone = 37,
                                                        .framesInStage = 60,
                                                        .rollingFrameMs = 16.38,
                                                        .elapsedSeconds = 41},
                          .gpuName = "Mesa Intel(R) Arc(tm) Graphics"};
    GpuStationView view = GpuStationPresenter::present(state, english);
    EXPECT_EQ(view.stage, english.f("Gpu.Stage.Measuring", 37, 60));
    EXPECT_EQ(values(view.metrics), (std::vector<std::string>{"122.7", "16.38", "41s"}));
    EXPECT_EQ(view.adapter, (GpuAdapterView{english["Gpu.Adapter"], "Mesa Intel(R) Arc(tm) Graphics"}));
    EXPECT_EQ(view.previewPending, english["Gpu.PreviewPending"]);
    EXPECT_TRUE(view.usage.empty());
    EXPECT_TRUE(view.charts.charts.empty());
    EXPECT_EQ(view.reference, english.f("Gpu.Reference", "RTX 5070 Laptop GPU"));

    // The trace had load and temperature, but its newest sample has neither.
    state.trace = traceOf({{.gpuLoadPercent = 98, .gpuTemperatureCelsius = 71}, {}}, LoadTrace::Subject::gpu);
    state.hasPreview = true;
    state.gpuName.reset();
    state.progress.reset();
    view = GpuStationPresenter::present(state, english);
    EXPECT_EQ(view.stage, english["Gpu.Stage.Initializing"]);
    EXPECT_EQ(values(view.metrics), (std::vector<std::string>{"0.0", "0.00", "0s"}));
    EXPECT_FALSE(view.adapter);
    EXPECT_FALSE(view.previewPending);
    EXPECT_EQ(view.usage, (std::vector<MetricValue>{{english["Gpu.Usage"], "\u2014", PaletteColor::text},
                                                    {english["Gpu.Temperature"], "\u2014", PaletteColor::outlineSubtle}}));

    state.progress = GpuRenderProgress{.stage = GpuBenchmarkStage::warmUp, .framesDone = 12};
    EXPECT_EQ(GpuStationPresenter::present(state, english).stage, english.f("Gpu.Stage.WarmUp", 12));
    state.progress = GpuRenderProgress{.stage = GpuBenchmarkStage::sustained, .framesDone = 900};
    EXPECT_EQ(GpuStationPresenter::present(state, english).stage, english.f("Gpu.Stage.Sustained", 900));
}

TEST(RamStationPresenter, PassLineAndBar) {
    EXPECT_EQ(RamStationPresenter::present({}, english), (RamStationView{std::nullopt, 0}));
    EXPECT_EQ(RamStationPresenter::present({MemoryPassProgress{2, 0xAA, true, 0.5}}, english),
              (RamStationView{english.f("Ram.PhaseVerify", 2, 3, "AA"), 0.5}));
    EXPECT_EQ(RamStationPresenter::present({MemoryPassProgress{1, 0x0A, false, notANumber}}, english),
              (RamStationView{english.f("Ram.PhaseWrite", 1, 3, "0A"), 0}));
}

TEST(BatteryStationPresenter, ReadingOrNoBattery) {
    const BatteryStationView none{english["Battery.NoBattery"], {}, english["Battery.NotScored"]};
    EXPECT_EQ(BatteryStationPresenter::present({}, english), none);
    EXPECT_EQ(BatteryStationPresenter::present({BatteryHealthResult{}}, english), none);
    // Supplies that couldn't be listed: whether there is a battery is unknown, not no.
    EXPECT_EQ(BatteryStationPresenter::present({BatteryHealthResult{.listingError = "Input/output error"}}, english),
              (BatteryStationView{english.f("Battery.Unread", "Input/output error"), {}, ""}));

    BatteryHealthResult reading;
    reading.batteryPresent = true;
    reading.designCapacityMah = 5280;
    reading.fullChargeCapacityMah = 4620;
    reading.healthPercent = 87.5;
    reading.dischargeRateWatts = notANumber;
    reading.currentChargePercent = 64;
    reading.cycleCount = 312;
    const BatteryStationView view = BatteryStationPresenter::present({reading}, english);
    EXPECT_EQ(view.headline, english["Battery.Sampling"]);
    EXPECT_EQ(view.metrics, (std::vector<MetricValue>{{english["Battery.Health"], "87.5%", PaletteColor::text},
                                                      {english["Battery.Discharge"], "\u2014", PaletteColor::text},
                                                      {english.f("Battery.ChargePercent", 64), "312", PaletteColor::text}}));
    EXPECT_EQ(view.footnote, english.f("Battery.Capacity", 4620, 5280));
}

