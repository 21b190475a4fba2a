#include "Samples/ResultSamples.h"

#include <QVBoxLayout>

#include "Engines/GPUBenchmarkError.h"
#include "Engines/StorageBenchmarkFailure.h"
#include "LocalizedViews/LocNotifier.h"
#include "Model/TestPlans.h"
#include "Results/DriveHealthCard.h"
#include "Results/ResultScreen.h"
#include "Results/StorageScreen.h"

namespace zantiva::ResultSamples {

namespace {

// A screen that shows the state through its presenter in the language of the moment.
template <typename Screen, typename State, typename Present>
std::unique_ptr<QWidget> showing(LocNotifier& loc, State state, Present present) {
    auto screen = std::make_unique<Screen>();
    loc.bind(screen.get(), [shown = screen.get(), &loc, state, present] { shown->show(present(state, loc.loc())); });
    return screen;
}

StorageTestMeasurement measured(double mbps, double iops, double latencyMs) { return {mbps, iops, latencyMs}; }

StorageScreenState storageState() {
    return {.isRunning = false, .progress = std::nullopt, .run = 0, .runsPerTest = 5, .isSettling = false,
            .result = storage(), .failure = std::nullopt};
}

} // namespace

DriveHealthReport driveHealth() {
    DriveHealthInfo nvme("nvme0n1");
    nvme.model = "Samsung SSD 980 PRO 1TB";
    nvme.status = DriveHealthStatus::good;
    nvme.percentageUsed = 3;
    nvme.availableSparePercent = 100;
    nvme.temperatureCelsius = 41;
    nvme.powerOnHours = 5123;
    nvme.dataWrittenTB = 38.4;
    nvme.mediaErrors = 0;

    DriveHealthInfo disk("sda");
    disk.model = "WDC WD40EFRX-68N32N0";
    disk.status = DriveHealthStatus::caution;
    disk.issues = {DriveHealthIssue::overheated, DriveHealthIssue::nearingWearLimit, DriveHealthIssue::mediaErrors};
    disk.percentageUsed = 92;
    disk.temperatureCelsius = 58;
    disk.powerOnHours = 31877;
    disk.mediaErrors = 2;

    DriveHealthInfo locked("nvme1n1"); // read by a user who didn't give administrator rights
    locked.model = "WD_BLACK SN850X 2000GB";
    locked.unreadReason = DriveUnreadReason::rightsNotGranted;

    DriveHealthInfo usb("sdb"); // behind a USB adapter: no model, no health data
    return {.drives = {nvme, locked, disk, usb}, .checkedAt = {}};
}

StorageBenchmarkResult storage() {
    StorageBenchmarkResult result;
    result.targetFolder = "/media/sara/\u067E\u0634\u062A\u06CC\u0628\u0627\u0646/zantiva";
    result.seqRead = measured(6842.7, 6525.9, 1.226);
    result.seqWrite = measured(4915.3, 4687.6, 1.707);
    result.randomQ32Read = measured(1702.4, 415625, 0.077);
    result.randomQ32Write = measured(1288.9, 314672, 0.102);
    result.randomQ1Read = measured(78.6, 19189, 0.052);
    result.randomQ1Write = measured(215.2, 52539, 0.019);
    DriveHealthReport health = driveHealth();
    health.drives.resize(1);
    result.driveHealth = health;
    return result;
}

ResultScreenState resultState() {
    FinalBenchmarkReport report;
    report.cpuResult = CpuBenchmarkResult{};
    report.cpuResult->score = 12840;
    report.cpuResult->singleCoreScore = 1612.4;
    report.cpuResult->sustainedScore = 11795;
    report.cpuResult->threadsUsed = 16;
    report.cpuResult->peakTemperatureCelsius = 94.0;
    report.cpuResult->thermalThrottleDetected = true;
    report.gpuResult = GpuBenchmarkResult{};
    report.gpuResult->score = 245.3;
    report.gpuResult->averageFrameTimeMs = 8.19;
    report.gpuResult->sustainedScore = 238.9;
    report.gpuResult->adapterName = "AMD Radeon RX 7600 (radeonsi, navi33, LLVM 15.0.6, DRM 3.54)";
    report.memoryResult = MemoryTestResult{.testedBytes = 4'294'967'296, .averageWriteThroughputMBps = 18320.7,
                                           .averageReadThroughputMBps = 21450.3, .errorsDetected = 0,
                                           .durationSeconds = 41};
    report.batteryResult = BatteryHealthResult{};
    report.batteryResult->batteryPresent = true;
    report.batteryResult->healthPercent = 76.4;
    report.batteryResult->cycleCount = 412;
    report.batteryResult->issues = {"Battery.Issue.Cycles", "Battery.Issue.Health"};
    report.displayResult = DisplayTestResult{.issues = {"Display.Issue.DeadPixels"}, .measuredRefreshRateHz = 59.9};
    report.keyboardResult = KeyboardTestResult{.totalKeysChecked = 78, .missingKeys = {"F7"}, .doublePressedKeys = {"K"}};
    report.audioPassed = true;
    report.micCameraPassed = true;
    report.cameraBypassed = true;
    report.driveHealth = driveHealth();
    return {
        .report = report,
        .plan = TestPlans::full,
        .failures = {{TestModule::gpuBenchmark, GPUBenchmarkError::noDevice().userMessage()}},
        .storageResult = storage(),
        .isStorageRunning = false,
    };
}

std::unique_ptr<QWidget> resultScreen(LocNotifier& loc) {
    return showing<ResultScreen>(loc, resultState(), ResultPresenter::present);
}

namespace {

// The card on the window's surface, as the screens place it.
std::unique_ptr<QWidget> driveHealthCardShowing(DriveHealthReport report, LocNotifier& loc) {
    auto window = std::make_unique<QWidget>();
    auto* card = new DriveHealthCard;
    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(card);
    layout->addStretch();
    loc.bind(card, [card, &loc, report = std::move(report)] { card->show(DriveHealthPresenter::present(report, loc.loc())); });
    return window;
}

} // namespace

std::unique_ptr<QWidget> driveHealthCard(LocNotifier& loc) { return driveHealthCardShowing(driveHealth(), loc); }

std::unique_ptr<QWidget> driveHealthUnread(LocNotifier& loc) {
    // The list of drives couldn't be read: the process had no descriptor left.
    return driveHealthCardShowing({.drives = {}, .checkedAt = {}, .listingError = "Too many open files"}, loc);
}

std::unique_ptr<QWidget> storageRunning(LocNotifier& loc) {
    StorageScreenState state = storageState();
    state.isRunning = true;
    state.progress = StorageBenchmarkProgress{.profile = StorageTestProfile::rnd4KQ32T1, .isWrite = true,
                                              .currentThroughputMBps = 1264.38, .elapsedSeconds = 71,
                                              .totalDurationSeconds = 168};
    state.run = 3;
    return showing<StorageScreen>(loc, state, StoragePresenter::present);
}

std::unique_ptr<QWidget> storageResult(LocNotifier& loc) {
    return showing<StorageScreen>(loc, storageState(), StoragePresenter::present);
}

std::unique_ptr<QWidget> storageFailed(LocNotifier& loc) {
    StorageScreenState state = storageState();
    state.failure = StorageBenchmarkFailure(StorageBenchmarkFailure::Kind::notEnoughSpace).userMessage();
    return showing<StorageScreen>(loc, state, StoragePresenter::present);
}

} // namespace zantiva::ResultSamples
