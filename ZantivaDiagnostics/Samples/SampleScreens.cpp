#include "Samples/SampleScreens.h"

#include <algorithm>
#include <cmath>

#include "Controls/RetroButton.h"
#include "Engines/GPUBenchmarkError.h"
#include "LocalizedViews/LocNotifier.h"
#include "Model/TestPlans.h"
#include "Presenters/BatteryStationPresenter.h"
#include "Presenters/CpuStationPresenter.h"
#include "Presenters/GpuStationPresenter.h"
#include "Presenters/RamStationPresenter.h"
#include "Presenters/StationFramePresenter.h"
#include "Presenters/SuitePresenter.h"
#include "Samples/AudioSamples.h"
#include "Samples/DashboardSamples.h"
#include "Samples/DisplaySamples.h"
#include "Samples/ExternalSamples.h"
#include "Samples/InputSamples.h"
#include "Samples/MicCameraSamples.h"
#include "Samples/ResultSamples.h"
#include "Samples/WasherSamples.h"
#include "Samples/WindowSamples.h"
#include "Stations/AudioStation.h"
#include "Stations/BatteryStation.h"
#include "Stations/CPUStation.h"
#include "Stations/GPUStation.h"
#include "Stations/GpuPreviewFrame.h"
#include "Stations/RAMStation.h"
#include "Stations/StationView.h"
#include "Stations/SuiteScreen.h"

namespace zantiva {
namespace {

// The main window's default size.
const QSize windowSize(1440, 900);
// What a 1920 x 1080 screen at 150 % leaves.
const QSize scaledLaptopWindowSize(1280, 720);
// Tall enough for the GPU page with its preview and charts.
const QSize tallWindowSize(1440, 1000);

// The suite screen shows a run whose current module shows the page.
void showRun(SuiteScreen& screen, const SuiteState& state, QWidget* page, LocNotifier& loc) {
    screen.show(SuitePresenter::present(state, loc.loc()));
    auto* station = new StationView;
    station->show(StationFramePresenter::heading(*state.current, loc.loc()));
    station->setPage(page);
    screen.setStation(station);
}

std::unique_ptr<SuiteScreen> suiteWith(const SuiteState& state, QWidget* page, LocNotifier& loc) {
    auto screen = std::make_unique<SuiteScreen>();
    showRun(*screen, state, page, loc);
    return screen;
}

// A resumed full run half-way: the GPU test could not run, the memory test is on its last pass.
SuiteState halfWayRun() {
    const LocalizedMessage failure = GPUBenchmarkError::commandBufferFailed("GL_OUT_OF_MEMORY").userMessage();
    return {
        .plan = TestPlans::full,
        .statuses = {{TestModule::cpuBenchmark, ModuleStatus::passed},
                     {TestModule::gpuBenchmark, ModuleStatus::failed},
                     {TestModule::ramTest, ModuleStatus::running}},
        .failures = {{TestModule::gpuBenchmark, failure}},
        .current = TestModule::ramTest,
        .notice = failure,
        .wasResumed = true,
        .isReadingDrives = false,
        .isRunning = true,
    };
}

std::unique_ptr<QWidget> suite(LocNotifier& loc) {
    auto* page = new RAMStation;
    page->show(RamStationPresenter::present({MemoryPassProgress{3, 0xAA, true, 0.87}}, loc.loc()));
    return suiteWith(halfWayRun(), page, loc);
}

// A full run with the interactive checks bypassed, at the battery, with Stop pressed.
std::unique_ptr<QWidget> suiteStop(LocNotifier& loc) {
    SuiteState state{.plan = TestPlans::full, .current = TestModule::battery, .isRunning = true};
    for (const TestModule module : {TestModule::cpuBenchmark, TestModule::gpuBenchmark, TestModule::ramTest})
        state.statuses[module] = ModuleStatus::passed;
    for (const TestModule module : {TestModule::display, TestModule::audio, TestModule::micCamera})
        state.statuses[module] = ModuleStatus::bypassed;
    state.statuses[TestModule::battery] = ModuleStatus::running;
    auto* page = new BatteryStation;
    page->show(BatteryStationPresenter::present({}, loc.loc()));
    auto screen = suiteWith(state, page, loc);
    screen->stopButton()->click();
    return screen;
}

// A minute of a heavy load: the load near full, the temperature climbing, the power with it.
LoadTrace heavyLoadTrace(LoadTrace::Subject subject) {
    LoadTrace trace;
    for (int i = 0; i < 64; ++i) {
        const double warmth = 1 - std::exp(-i / 18.0);
        SensorSnapshot snapshot;
        snapshot.cpuLoadPercent = 96 + 3 * std::sin(i / 2.3);
        snapshot.gpuLoadPercent = 94 + 4 * std::sin(i / 3.1);
        snapshot.cpuTemperatureCelsius = 52 + 38 * warmth + 1.5 * std::sin(i / 1.7);
        snapshot.gpuTemperatureCelsius = 48 + 27 * warmth + std::sin(i / 2.9);
        snapshot.systemPowerWatts = 21 + 34 * warmth + 2 * std::sin(i / 1.3);
        trace.record(snapshot, subject);
    }
    return trace;
}

SuiteState performanceRunAt(TestModule current) {
    SuiteState state{.plan = TestPlans::performance, .current = current, .isRunning = true};
    for (const TestModule module : TestPlans::performance) {
        if (module == current) break;
        state.statuses[module] = ModuleStatus::passed;
    }
    state.statuses[current] = ModuleStatus::running;
    return state;
}

CPUStation* cpuPage(LocNotifier& loc) {
    const CpuBenchmarkProgress progress{
        .phase = CpuBenchmarkPhase::sustained,
        .phaseFraction = std::nullopt,
        .currentScore = 1342.6,
        .elapsedSeconds = 112,
        .overallFraction = 0.62,
        .currentLoadPercent = 99.2,
        .currentTemperature = 91.4,
        .currentPowerWatts = 54.8,
        .throttleDetected = true,
    };
    auto* page = new CPUStation;
    page->show(CpuStationPresenter::present({progress, heavyLoadTrace(LoadTrace::Subject::cpu)}, loc.loc()));
    return page;
}

std::unique_ptr<QWidget> cpuStation(LocNotifier& loc) {
    return suiteWith(performanceRunAt(TestModule::cpuBenchmark), cpuPage(loc), loc);
}

// The whole window during the CPU test of a performance run, signed in.
std::unique_ptr<QWidget> windowRun(LocNotifier& loc) {
    auto window = WindowSamples::window(loc, {.screen = AppScreen::suite}, true);
    showRun(*window->suiteScreen(), performanceRunAt(TestModule::cpuBenchmark), cpuPage(loc), loc);
    return window;
}

// A made-up frame of the raymarched scene: a glowing sphere over a dark horizon.
GpuPreviewImage samplePreview() {
    GpuPreviewImage image{.width = 320, .height = 180, .rgba = {}};
    image.rgba.reserve(static_cast<std::size_t>(image.width * image.height * 4));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const double dx = (x - 160) / 70.0, dy = (y - 80) / 70.0;
            const double sphere = std::max(0.0, 1 - dx * dx - dy * dy);
            const double sky = 1 - static_cast<double>(y) / image.height;
            const auto channel = [](double value) { return static_cast<std::uint8_t>(std::clamp(value, 0.0, 1.0) * 255); };
            image.rgba.push_back(channel(0.08 + 0.9 * sphere * sphere + 0.1 * sky));
            image.rgba.push_back(channel(0.05 + 0.45 * sphere + 0.2 * sky));
            image.rgba.push_back(channel(0.2 + 0.3 * std::sqrt(sphere) + 0.4 * sky));
            image.rgba.push_back(255);
        }
    return image;
}

std::unique_ptr<QWidget> gpuStation(LocNotifier& loc) {
    const GpuStationState state{
        .progress = GpuRenderProgress{.stage = GpuBenchmarkStage::measuring,
                                      .framesDone = 37,
                                      .framesInStage = 60,
                                      .lastFrameMs = 16.1,
                                      .rollingFrameMs = 16.38,
                                      .elapsedSeconds = 41},
        .hasPreview = true,
        .durationMinutes = 3,
        .trace = heavyLoadTrace(LoadTrace::Subject::gpu),
        .gpuName = "Mesa Intel(R) Arc(tm) Graphics (MTL)",
    };
    auto* page = new GPUStation;
    page->setPreview(previewImage(samplePreview()));
    page->show(GpuStationPresenter::present(state, loc.loc()));
    return suiteWith(performanceRunAt(TestModule::gpuBenchmark), page, loc);
}

std::unique_ptr<QWidget> batteryStation(LocNotifier& loc) {
    BatteryHealthResult reading;
    reading.batteryPresent = true;
    reading.designCapacityMah = 5280;
    reading.fullChargeCapacityMah = 4620;
    reading.healthPercent = 87.5;
    reading.dischargeRateWatts = 12.6;
    reading.currentChargePercent = 64;
    reading.cycleCount = 312;
    SuiteState state{.plan = TestPlans::batteryOnly, .current = TestModule::battery, .isRunning = true};
    state.statuses[TestModule::battery] = ModuleStatus::running;
    auto* page = new BatteryStation;
    page->show(BatteryStationPresenter::present({reading}, loc.loc()));
    return suiteWith(state, page, loc);
}

// The microphone and camera page in one of its states, at its place in a full run.
template <QWidget* (*page)(LocNotifier&)> std::unique_ptr<QWidget> micCameraStation(LocNotifier& loc) {
    return suiteWith(MicCameraSamples::run(), page(loc), loc);
}

// The speaker page in one of its states, at its place in a full run.
template <AudioStation* (*page)(LocNotifier&)> std::unique_ptr<QWidget> audioStation(LocNotifier& loc) {
    return suiteWith(AudioSamples::run(), page(loc), loc);
}

// The display page before and while its test shows, and the test's own pages.
std::unique_ptr<QWidget> displayStation(LocNotifier& loc) {
    return suiteWith(DisplaySamples::run(), DisplaySamples::page(loc, false), loc);
}
std::unique_ptr<QWidget> displayStationRunning(LocNotifier& loc) {
    return suiteWith(DisplaySamples::run(), DisplaySamples::page(loc, true), loc);
}
template <DisplayTestState::Page page> std::unique_ptr<QWidget> displayTest(LocNotifier& loc) {
    return DisplaySamples::test(loc, page);
}

const SampleScreen samples[] = {
    {"dashboard", windowSize, dashboardSample},
    {"dashboard-tests-1280", scaledLaptopWindowSize, dashboardTestsSample},
    {"header", {1440, 128}, headerSample},
    {"suite", windowSize, suite},
    {"suite-stop", windowSize, suiteStop},
    {"station-cpu", windowSize, cpuStation},
    {"station-gpu", tallWindowSize, gpuStation},
    {"station-battery", windowSize, batteryStation},
    {"station-display", windowSize, displayStation},
    {"station-display-running", windowSize, displayStationRunning},
    {"display-test-dead-pixels", windowSize, displayTest<DisplayTestState::Page::deadPixel>},
    {"display-test-refresh", windowSize, displayTest<DisplayTestState::Page::refresh>},
    {"display-test-refresh-without-gl", windowSize, DisplaySamples::refreshWithoutGl},
    {"display-test-checklist", windowSize, displayTest<DisplayTestState::Page::checklist>},
    {"station-input", windowSize,
     [](LocNotifier& loc) { return suiteWith(InputSamples::run(), InputSamples::typing(loc), loc); }},
    {"station-input-keys", windowSize,
     [](LocNotifier& loc) { return suiteWith(InputSamples::run(), InputSamples::keys(loc), loc); }},
    {"station-input-touchpad", windowSize,
     [](LocNotifier& loc) { return suiteWith(InputSamples::run(), InputSamples::touchpad(loc), loc); }},
    {"station-mic-camera", windowSize, micCameraStation<MicCameraSamples::live>},
    {"station-mic-camera-no-camera", windowSize, micCameraStation<MicCameraSamples::withoutCamera>},
    {"station-mic-camera-denied", windowSize, micCameraStation<MicCameraSamples::accessDenied>},
    {"station-mic-camera-failed", windowSize, micCameraStation<MicCameraSamples::failed>},
    {"station-audio", windowSize, audioStation<AudioSamples::confirming>},
    {"station-audio-playing", windowSize, audioStation<AudioSamples::playing>},
    {"station-audio-failed", windowSize, audioStation<AudioSamples::failed>},
    {"results", {1440, 1640}, ResultSamples::resultScreen},
    {"drive-health", {900, 560}, ResultSamples::driveHealthCard},
    {"drive-health-unread", {900, 240}, ResultSamples::driveHealthUnread},
    {"storage-running", windowSize, ResultSamples::storageRunning},
    {"storage", windowSize, ResultSamples::storageResult},
    {"storage-failed", windowSize, ResultSamples::storageFailed},
    {"external-card", {1036, 900}, ExternalSamples::card},
    {"external-running", windowSize, ExternalSamples::running},
    {"external-cooldown", windowSize, ExternalSamples::cooldown},
    {"external-finished", {1440, 1100}, ExternalSamples::finished},
    {"results-external", windowSize, ExternalSamples::results},
    {"window-dashboard", windowSize, WindowSamples::dashboard},
    {"window-results", windowSize, WindowSamples::results},
    {"window-results-not-saved", windowSize, WindowSamples::resultsNotSaved},
    {"window-run", windowSize, windowRun},
    {"window-sign-in", windowSize, WindowSamples::signIn},
    {"window-error", windowSize, WindowSamples::error},
    {"washer-setup", windowSize, WasherSamples::setup},
    {"washer-noise", windowSize, WasherSamples::noise},
    {"washer-rgbw", windowSize, WasherSamples::colorCycle},
    {"washer-gradient", windowSize, WasherSamples::gradient},
    {"washer-slides", windowSize, WasherSamples::slides},
};

} // namespace

std::span<const SampleScreen> sampleScreens() { return samples; }

} // namespace zantiva
