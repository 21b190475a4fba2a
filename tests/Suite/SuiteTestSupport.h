#pragma once

// Shared by the runner tests: a stand-in for the app model, the machine the sessions are
// made on, tiny engine workloads, and turning the event loop until something holds.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "Engines/CPUBenchmarkEngine.h"
#include "Model/BenchmarkSession.h"
#include "Suite/RunnerHost.h"
#include "Suite/SuiteConfiguration.h"

namespace zantiva::testing {

// The app model as the runners see it, recording what they told it.
class TestHost : public RunnerHost {
public:
    struct Completion {
        FinalBenchmarkReport report;
        bool hadCompletedStations = false;
    };

    std::optional<SystemSpecs> specsValue;
    std::vector<AppScreen> screens;
    std::vector<std::optional<BenchmarkSession>> resumables;
    std::vector<Completion> completions;

    std::optional<SystemSpecs> specs() const override { return specsValue; }
    void setResumable(std::optional<BenchmarkSession> session) override { resumables.push_back(std::move(session)); }
    void setScreen(AppScreen screen) override { screens.push_back(screen); }
    QCoro::Task<> completeRun(FinalBenchmarkReport report, bool hadCompletedStations) override {
        completions.push_back({std::move(report), hadCompletedStations});
        co_return;
    }
};

inline SystemSpecs testSpecs() {
    SystemSpecs specs;
    specs.manufacturer = "Zantiva Test";
    specs.model = "Test Laptop 14";
    specs.cpuName = "Test CPU 8-Core";
    specs.gpuName = "llvmpipe";
    return specs;
}

inline std::filesystem::path fixture(const char* machine) { return std::filesystem::path(ZANTIVA_FIXTURES) / machine; }

// Drives read from a captured tree without asking any tool.
inline DriveHealthOptions fixtureDrives() {
    DriveHealthOptions drives;
    drives.root = ProbeRoot(fixture("amd-desktop"));
    drives.healthLog = [](const std::string&) { return std::optional<std::vector<std::uint8_t>>(); };
    drives.verdictCommand = [](const std::string&) { return std::vector<std::string>(); };
    return drives;
}

// Every engine with a workload of milliseconds; the battery of a captured laptop.
inline SuiteConfiguration tinyConfiguration() {
    SuiteConfiguration c;
    c.cpuWorkload = {1'000'001, 40, CPUBenchmarkEngine::countPrimes(1'000'001, 40), 4, 2};
    c.cpuThreads = 2;
    c.gpu.outputWidth = 64;
    c.gpu.outputHeight = 36;
    c.gpu.supersampleFactor = 1;
    c.gpu.minimumWarmUp = 0;
    c.gpu.maximumWarmUp = 0;
    c.gpu.measuredFrames = 2;
    c.gpu.minimumMeasuredFrames = 1;
    c.memoryTestBytes = MemoryTestEngine::chunkBytes;
    c.batteryLoadSeconds = 0;
    c.batteryRoot = ProbeRoot(fixture("intel-hybrid-laptop"));
    c.drives = fixtureDrives();
    c.latestTelemetry = [] {
        SensorSnapshot snapshot;
        snapshot.cpuLoadPercent = 97;
        snapshot.systemPowerWatts = 73;
        return std::optional(snapshot);
    };
    return c;
}

// Turns the event loop until the condition holds; false after the time limit.
inline bool runUntil(const std::function<bool()>& condition, std::chrono::seconds limit = std::chrono::seconds(60)) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > std::chrono::milliseconds(limit).count()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Turns the event loop for a while, for work that should come to nothing.
inline void turnEventLoop(std::chrono::milliseconds span) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < span.count()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The session file as stored, read without the store's clean-up of finished sessions.
inline std::optional<BenchmarkSession> storedSession(const std::filesystem::path& folder) {
    std::ifstream file(folder / "benchmark-session.json");
    if (!file) return std::nullopt;
    return BenchmarkSession::fromJson(json::Json::parse(file));
}

} // namespace zantiva::testing
