#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Gallery/PreviewSamples.h"
#include "Localization/Loc.h"
#include "PanelPresenters/SpecsPresenter.h"
#include "PanelPresenters/TelemetryPresenter.h"

using namespace zantiva;

namespace {

SpecsDetail prose(std::string text) { return {SpecsDetail::Kind::prose, std::move(text)}; }
SpecsDetail hardware(std::string text) { return {SpecsDetail::Kind::hardware, std::move(text)}; }

} // namespace

TEST(SpecsPresenter, GigabytesDropTheDecimalOnlyNearAWholeNumber) {
    EXPECT_EQ(SpecsPresenter::gigabytes(16), "16 GB");
    EXPECT_EQ(SpecsPresenter::gigabytes(15.97), "16 GB");
    EXPECT_EQ(SpecsPresenter::gigabytes(7.5), "7.5 GB");
    EXPECT_EQ(SpecsPresenter::gigabytes(15.94), "15.9 GB");
    // Drive capacities are whole numbers, halves away from zero.
    EXPECT_EQ(SpecsPresenter::capacity(500.4), "500 GB");
    EXPECT_EQ(SpecsPresenter::capacity(999.5), "1000 GB");
    EXPECT_EQ(SpecsPresenter::capacity(std::numeric_limits<double>::infinity()), "\u2014");
    EXPECT_EQ(SpecsPresenter::capacity(std::nan("")), "\u2014");
}

TEST(SpecsPresenter, ProcessorLinesWithAndWithoutCoreClusters) {
    const Loc loc(AppLanguage::english);
    SystemSpecs specs = PreviewSamples::systemSpecs();
    EXPECT_EQ(SpecsPresenter::cpuDetails(specs, loc),
              (std::vector{prose(loc.f("Dashboard.CpuCores", 12)), hardware("4 Performance + 8 Efficiency")}));
    // Persian has no English cluster names in it.
    EXPECT_EQ(SpecsPresenter::cpuDetails(specs, Loc(AppLanguage::persian)).back(), hardware("4P+8E"));
    specs.coreClusters.clear();
    specs.cpuThreads = 28;
    specs.cpuMaxClockGHz = 4.5;
    EXPECT_EQ(SpecsPresenter::cpuDetails(specs, loc), (std::vector{prose(loc.f("Dashboard.CpuDetail", 12, 28, 4.5))}));
    // A clock nobody reported is left out, not shown as 0.00 GHz.
    specs.cpuMaxClockGHz = 0;
    EXPECT_EQ(SpecsPresenter::cpuDetails(specs, loc), (std::vector{prose(loc.f("Dashboard.CpuThreads", 12, 28))}));
}

TEST(SpecsPresenter, MemoryLines) {
    const Loc loc(AppLanguage::english);
    SystemSpecs specs;
    specs.hasUnifiedMemory = true;
    EXPECT_EQ(SpecsPresenter::memoryDetails(specs, loc), (std::vector{prose(loc["Dashboard.UnifiedMemory"])}));

    specs.hasUnifiedMemory = false;
    specs.ramType = "DDR5";
    EXPECT_EQ(SpecsPresenter::memoryDetails(specs, loc), (std::vector{hardware("DDR5")}));

    specs.ramSpeedMHz = 5600;
    specs.ramModuleCount = 2;
    EXPECT_EQ(SpecsPresenter::memoryDetails(specs, loc),
              (std::vector{prose(loc.f("Dashboard.RamDetail", "DDR5", 5600, 2))}));
    // A type the system did not give is said in the interface language.
    specs.ramType = SystemSpecs::unknown;
    EXPECT_EQ(SpecsPresenter::memoryDetails(specs, loc),
              (std::vector{prose(loc.f("Dashboard.RamDetail", loc["Dashboard.NotReported"], 5600, 2))}));
}

TEST(SpecsPresenter, GraphicsAndFirmwareDropUnknownParts) {
    const Loc loc(AppLanguage::english);
    SystemSpecs specs;
    EXPECT_TRUE(SpecsPresenter::gpuDetails(specs, loc).empty());
    EXPECT_TRUE(SpecsPresenter::firmwareDetails(specs).empty());

    specs.displayResolution = "2560 \u00D7 1440";
    specs.displayRefreshRateHz = 120;
    specs.gpuMemoryGB = 8;
    specs.gpuCoreCount = 20;
    EXPECT_EQ(SpecsPresenter::gpuDetails(specs, loc),
              (std::vector{prose(loc.f("Dashboard.GpuCores", 20)), hardware("8 GB"),
                           hardware("2560 \u00D7 1440 @ 120 Hz")}));
    specs.displayResolution = SystemSpecs::unknown;
    specs.metalVersion = "OpenGL ES 3.2";
    EXPECT_EQ(SpecsPresenter::gpuDetails(specs, loc),
              (std::vector{prose(loc.f("Dashboard.GpuCores", 20)), hardware("8 GB \u00B7 OpenGL ES 3.2"),
                           hardware("120 Hz")}));

    specs.manufacturer = "Framework";
    specs.architecture = "x86_64";
    EXPECT_EQ(SpecsPresenter::firmwareDetails(specs), (std::vector{hardware("Framework \u00B7 x86_64")}));
    EXPECT_EQ(SpecsPresenter::known({std::nullopt, "", "Unknown", "unknown", "a"}),
              (std::vector<std::string>{"unknown", "a"}));
}

TEST(SpecsPresenter, CardsAndDrives) {
    const Loc loc(AppLanguage::english);
    const SystemSpecs specs = PreviewSamples::systemSpecs();
    const auto cards = SpecsPresenter::cards(specs, loc);
    EXPECT_EQ(cards[0].title, loc["Dashboard.Processor"]);
    EXPECT_EQ(cards[0].value, hardware("13th Gen Intel(R) Core(TM) i7-1360P"));
    EXPECT_EQ(cards[1].value, hardware("32 GB"));
    EXPECT_EQ(cards[2].chart, SpecsChart::gpu);
    EXPECT_EQ(cards[3].title, loc["Dashboard.Firmware"]);
    EXPECT_FALSE(cards[3].chart);
    EXPECT_EQ(SpecsPresenter::chartTexts(SpecsChart::memory, loc).popupTitle, loc["Dashboard.RamHistory"]);

    const auto drives = SpecsPresenter::drives(specs, loc);
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0], (SpecsDrive{hardware("WD_BLACK SN850X 1000GB"), false, "SSD \u00B7 NVMe", "1000 GB"}));
    EXPECT_EQ(drives[1], (SpecsDrive{hardware("Samsung PSSD T7"), true, "SSD \u00B7 USB", "1000 GB"}));

    // Nothing read: no "Unknown" and no "0 GB" on screen, in either language.
    SystemSpecs odd;
    odd.storageDevices = {{.model = "X", .capacityGB = 1, .mediaType = "Unspecified", .interfaceType = "USB",
                           .isInternal = false},
                          {.capacityGB = 2, .isInternal = true}};
    const Loc persian(AppLanguage::persian);
    const SpecsDetail notReported = prose(persian["Dashboard.NotReported"]);
    for (const SpecsCard& card : SpecsPresenter::cards(odd, persian)) EXPECT_EQ(card.value, notReported) << card.title;
    const auto oddDrives = SpecsPresenter::drives(odd, persian);
    EXPECT_EQ(oddDrives[0].kindBadge, "USB");
    EXPECT_FALSE(oddDrives[1].kindBadge);
    EXPECT_EQ(oddDrives[1].model, notReported);
}

TEST(TelemetryPresenter, TemperatureColourRule) {
    using TelemetryPresenter::temperatureColor;
    EXPECT_EQ(temperatureColor(59.9), PaletteColor::secondary);
    EXPECT_EQ(temperatureColor(60), PaletteColor::tertiary);
    EXPECT_EQ(temperatureColor(84.9), PaletteColor::tertiary);
    EXPECT_EQ(temperatureColor(85), PaletteColor::primary);
    EXPECT_EQ(temperatureColor(0), PaletteColor::outlineSubtle);
    EXPECT_EQ(temperatureColor(-3), PaletteColor::outlineSubtle);
    EXPECT_EQ(temperatureColor(std::nan("")), PaletteColor::outlineSubtle);
    EXPECT_EQ(temperatureColor(std::nullopt), PaletteColor::outlineSubtle);
}

TEST(TelemetryPresenter, TheSampleReading) {
    const Loc loc(AppLanguage::english);
    SensorSnapshot snapshot = PreviewSamples::sensorSnapshot();
    snapshot.systemPowerWatts = 23.66;
    snapshot.gpuLoadPercent = 12.2;
    snapshot.ramUsedGB = 13.94;
    snapshot.fanRPM = {1200, 1850};
    const TelemetryView view = TelemetryPresenter::present(snapshot, loc);
    EXPECT_EQ(view.cpuTemperature.text, "61\u00B0C");
    EXPECT_EQ(view.cpuTemperature.color, PaletteColor::tertiary);
    EXPECT_EQ(view.cpuTemperature.caption, loc["Telemetry.Temperature"]);
    EXPECT_EQ(view.cpuLoad.text, "37%");
    EXPECT_EQ(view.gpuLoad.text, "12%");
    EXPECT_EQ(view.power.text, "23.7 W");
    EXPECT_EQ(view.fan.text, "1850 RPM");
    EXPECT_EQ(view.memoryFootnote,
              loc.f("Telemetry.MemoryUsed", 13.94, 32) + " \u00B7 " + loc["Telemetry.Pressure.Normal"]);
    EXPECT_EQ(view.thermal,
              (TelemetryBadge{loc["Telemetry.Thermal.Nominal"], PaletteColor::secondary, PaletteColor::onSecondary}));
    EXPECT_TRUE(view.cpuTemperature.tooltip.empty());
    EXPECT_EQ(view.cpuTemperature.accessibleLabel, "61\u00B0C");
    EXPECT_FALSE(view.noSensorsNotice);
}

TEST(TelemetryPresenter, MissingReadingsAreDashesNeverZero) {
    const Loc loc(AppLanguage::english);
    SensorSnapshot silent;
    silent.thermalState = ThermalState::serious;
    silent.memoryPressure = MemoryPressure::critical;
    const TelemetryView view = TelemetryPresenter::present(silent, loc);
    for (const TelemetryFigure* figure : {&view.cpuTemperature, &view.gpuTemperature, &view.gpuLoad, &view.power,
                                          &view.fan, &view.memoryLoad}) {
        EXPECT_FALSE(figure->text);
        EXPECT_EQ(figure->shown(), "\u2014");
        EXPECT_EQ(figure->color, PaletteColor::outlineSubtle);
        EXPECT_EQ(figure->tooltip, loc["Telemetry.NotReported"]);
        EXPECT_EQ(figure->accessibleLabel, loc["Telemetry.NotReported"]);
    }
    // CPU load is always there; memory that wasn't read (no total) is not reported, not "0.0 of 0 GB".
    EXPECT_EQ(view.cpuLoad.text, "0%");
    EXPECT_EQ(view.memoryFootnote, loc["Dashboard.NotReported"] + " \u00B7 " + loc["Telemetry.Pressure.Critical"]);
    EXPECT_EQ(view.thermal,
              (TelemetryBadge{loc["Telemetry.Thermal.Serious"], PaletteColor::primary, PaletteColor::outline}));
    ASSERT_TRUE(view.noSensorsNotice);

    // Without a thermal source the state is not reported, and the notice vouches for none.
    silent.thermalState.reset();
    const TelemetryView sourceless = TelemetryPresenter::present(silent, loc);
    EXPECT_EQ(sourceless.thermal,
              (TelemetryBadge{loc["Dashboard.NotReported"], PaletteColor::outlineSubtle, PaletteColor::text}));
    EXPECT_EQ(sourceless.noSensorsNotice, loc["Telemetry.NoSensors.NoThermal"]);
    EXPECT_EQ(view.noSensorsNotice, loc["Telemetry.NoSensors"]);
    silent.hasSensorAccess = true;
    EXPECT_FALSE(TelemetryPresenter::present(silent, loc).noSensorsNotice);
    silent.hasSensorAccess = false;
    silent.thermalState = ThermalState::serious;

    // A temperature of 0 is a number, in the colour of a missing one.
    silent.cpuTemperatureCelsius = 0.0;
    const TelemetryView zero = TelemetryPresenter::present(silent, loc);
    EXPECT_EQ(zero.cpuTemperature.text, "0\u00B0C");
    EXPECT_EQ(zero.cpuTemperature.color, PaletteColor::outlineSubtle);
    EXPECT_TRUE(zero.cpuTemperature.tooltip.empty());
}

TEST(TelemetryPresenter, PersianKeepsTheFixedTitlesAndTheDigits) {
    const Loc loc(AppLanguage::persian);
    const TelemetryView view = TelemetryPresenter::present(PreviewSamples::sensorSnapshot(), loc);
    EXPECT_EQ(view.cpuTemperature.text, "61\u00B0C");
    EXPECT_EQ(view.power.text, "23.6 W");
    EXPECT_EQ(view.title, loc["Telemetry.Title"]);
    EXPECT_EQ(view.cpuTemperature.caption, Loc::string("Telemetry.Temperature", AppLanguage::persian));
}
