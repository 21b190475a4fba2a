#include "Runners/SessionRecording.h"

#include <algorithm>

#include "Model/DeductionScored.h"

namespace zantiva::SessionRecording {
namespace {

ModuleStatus passedWhen(bool passed) { return passed ? ModuleStatus::passed : ModuleStatus::failed; }

template <DeductionScored T> void score(BenchmarkSession& session, const char* key, const T& result) {
    session.scores[key] = static_cast<double>(deductionScore(result));
}

// A module that ran to its end has passed: its findings are results that the report keeps and the
// results screen lists. Only a user's verdict on the speaker, microphone-and-camera and input checks
// fails a completed module; a module that could not run fails with an entry in the run's failures.

// One function per outcome kind, chosen by std::visit.
struct OutcomeRecorder {
    BenchmarkSession& session;

    ModuleStatus operator()(const StationOutcome::Display& display) const {
        session.results.displayResult = display.result;
        score(session, "display", display.result);
        return ModuleStatus::passed;
    }
    ModuleStatus operator()(const StationOutcome::Audio& audio) const {
        session.results.audioPassed = audio.passed;
        return passedWhen(audio.passed);
    }
    ModuleStatus operator()(const StationOutcome::MicCamera& micCamera) const {
        session.results.micCameraPassed = micCamera.passed;
        session.results.cameraBypassed = micCamera.cameraBypassed;
        return passedWhen(micCamera.passed);
    }
    // A keyboard was tested after all, so the report no longer says the checks were bypassed.
    ModuleStatus operator()(const StationOutcome::Input& input) const {
        session.results.keyboardResult = input.result;
        session.results.inputPassed = input.passed;
        session.results.peripheralStatus.reset();
        score(session, "keyboard", input.result);
        return passedWhen(input.passed && input.result.deductionCount() == 0);
    }
    ModuleStatus operator()(const StationOutcome::Bypassed&) const { return ModuleStatus::bypassed; }
    ModuleStatus operator()(const StationOutcome::Skipped&) const { return ModuleStatus::skipped; }
};

} // namespace

bool isPeripheral(TestModule module) {
    switch (module) {
    case TestModule::display:
    case TestModule::audio:
    case TestModule::micCamera:
    case TestModule::input: return true;
    case TestModule::cpuBenchmark:
    case TestModule::gpuBenchmark:
    case TestModule::ramTest:
    case TestModule::battery: return false;
    }
    return false;
}

ModuleStatus record(BenchmarkSession& session, const CpuBenchmarkResult& result) {
    session.results.cpuResult = result;
    session.scores["cpu_multi"] = result.score;
    session.scores["cpu_single"] = result.singleCoreScore;
    return ModuleStatus::passed;
}

ModuleStatus record(BenchmarkSession& session, const GpuBenchmarkResult& result) {
    session.results.gpuResult = result;
    session.scores["gpu"] = result.score;
    return ModuleStatus::passed;
}

ModuleStatus record(BenchmarkSession& session, const MemoryTestResult& result) {
    session.results.memoryResult = result;
    return ModuleStatus::passed;
}

ModuleStatus record(BenchmarkSession& session, const BatteryHealthResult& result) {
    session.results.batteryResult = result;
    if (!result.batteryPresent) return ModuleStatus::skipped;
    score(session, "battery", result);
    return ModuleStatus::passed;
}

ModuleStatus record(BenchmarkSession& session, const StationOutcome& outcome) {
    return std::visit(OutcomeRecorder{session}, outcome.value);
}

bool hasCompletedStations(const BenchmarkSession& session) {
    return std::ranges::any_of(session.completedSteps, [&](TestModule module) {
        const auto status = session.stepStatus.find(std::string(stepID(module)));
        return status == session.stepStatus.end() || status->second != ModuleStatus::bypassed;
    });
}

} // namespace zantiva::SessionRecording
