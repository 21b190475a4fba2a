#pragma once

// Shared by the runner tests: a stand-in for the app model and tiny engine workloads on
// captured machines.

#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "../Core/Probes/DriveHealthFixtures.h"
#include "../Core/Probes/FixtureMachines.h"
#include "../Support/AwaitTask.h"
#include "../Support/SampleSpecs.h"
#include "Engines/CPUBenchmarkEngine.h"
#include "Model/BenchmarkSession.h"
#include "Model/AppScreen.h"
#include "Runners/Runner.h"
#include "Runners/RunnerHost.h"
#include "Runners/SuiteConfiguration.h"

namespace zantiva::testing {

// The app model as the runners see it, recording what they told it, and the screens their
// runs showed as they began.
class TestHost : public RunnerHost {
public:
    struct Completion {
        FinalBenchmarkReport report;
        bool hadCompletedStations = false;
        bool keptInSession = false;
    };

    std::optional<SystemSpecs> specsValue = sampleLaptopSpecs(); // as start-up read them
    std::vector<AppScreen> screens;
    std::vector<std::optional<BenchmarkSession>> resumables;
    std::vector<Completion> completions;
    std::vector<std::optional<LocalizedMessage>> statuses;
    bool reportSaved = true; // what a hand-over answers
    int reportReloads = 0;
    std::vector<std::pair<SavedRecord, bool>> saves; // and whether each worked

    std::optional<SystemSpecs> specs() const override { return specsValue; }
    void setResumable(std::optional<BenchmarkSession> session) override { resumables.push_back(std::move(session)); }
    void setStatus(std::optional<LocalizedMessage> status) override { statuses.push_back(std::move(status)); }
    // A failed save is told as the model tells it; every save is recorded.
    void tellSave(SavedRecord record, const SaveResult& result) override {
        saves.emplace_back(record, result.saved());
        if (!result.saved()) statuses.push_back(notSavedNotice(record, result));
    }
    void storedReportChanged(const std::vector<std::filesystem::path>&) override { ++reportReloads; }
    QCoro::Task<bool> completeRun(FinalBenchmarkReport report, bool hadCompletedStations, RunHandOver how) override {
        completions.push_back({std::move(report), hadCompletedStations, how.keptInSession});
        co_return reportSaved;
    }

    // Each run of the runner that begins shows the screen.
    void recordScreens(const Runner& runner, AppScreen screen) {
        QObject::connect(&runner, &Runner::runBegan, [this, screen] { screens.push_back(screen); });
    }
};

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
    c.batteryRoot = ProbeRoot(fixtureMachine("intel-hybrid-laptop"));
    c.drives = fixtureDriveHealth(fixtureMachine("amd-desktop"));
    c.latestTelemetry = [] {
        SensorSnapshot snapshot;
        snapshot.cpuLoadPercent = 97;
        snapshot.systemPowerWatts = 73;
        return std::optional(snapshot);
    };
    return c;
}

// The session file as stored, read without the store's clean-up of finished sessions.
inline std::optional<BenchmarkSession> storedSession(const std::filesystem::path& folder) {
    std::ifstream file(folder / "benchmark-session.json");
    if (!file) return std::nullopt;
    return BenchmarkSession::fromJson(json::Json::parse(file));
}

} // namespace zantiva::testing
