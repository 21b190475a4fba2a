#include "Model/BenchmarkScoring.h"

#include <cmath>

#include "Model/BenchmarkBaseline.h"
#include "Model/DeductionScored.h"

namespace zantiva {
namespace {

using Kind = HealthComponentKind;

double verdictScore(bool passed) { return passed ? 100.0 : 0.0; }

template <typename T> void keepPrevious(std::optional<T>& field, const std::optional<T>& previous) {
    if (!field) field = previous;
}

} // namespace

std::vector<BenchmarkScoring::HealthComponent> BenchmarkScoring::healthComponents(const FinalBenchmarkReport& r) {
    std::vector<HealthComponent> out;
    const auto add = [&](Kind kind, double score) { out.push_back({kind, score}); };
    if (r.displayResult) add(Kind::display, static_cast<double>(deductionScore(*r.displayResult)));
    if (r.keyboardResult) add(Kind::keyboard, static_cast<double>(deductionScore(*r.keyboardResult)));
    if (r.audioPassed) add(Kind::audio, verdictScore(*r.audioPassed));
    if (r.micCameraPassed) add(Kind::micCamera, verdictScore(*r.micCameraPassed));
    if (r.batteryResult && r.batteryResult->batteryPresent)
        add(Kind::battery, static_cast<double>(deductionScore(*r.batteryResult)));
    if (r.memoryResult)
        add(Kind::memory, verdictScore(r.memoryResult->passed()));
    if (r.driveHealth)
        if (const auto drives = r.driveHealth->score()) add(Kind::drives, *drives);
    if (r.cpuResult && !r.cpuResult->resultsVerified) add(Kind::cpuIntegrity, 0);
    return out;
}

std::optional<double> BenchmarkScoring::healthScore(const FinalBenchmarkReport& report) {
    const auto components = healthComponents(report);
    if (components.empty()) return std::nullopt;
    double sum = 0;
    for (const auto& c : components) sum += c.score;
    return std::round(sum / static_cast<double>(components.size()) * 10.0) / 10.0;
}

std::optional<DeviceGrade> BenchmarkScoring::deviceGrade(const FinalBenchmarkReport& report) {
    const auto score = healthScore(report);
    if (!score) return std::nullopt;
    const DeviceGrade grade = deviceGradeFromHealthScore(*score);
    if (!report.batteryResult || !report.batteryResult->batteryPresent) return grade;
    return applyingBatteryPenalty(grade, report.batteryResult->healthPercent);
}

FinalBenchmarkReport BenchmarkScoring::merge(const std::optional<FinalBenchmarkReport>& previous,
                                             FinalBenchmarkReport latest) {
    if (previous) {
        const auto& p = *previous;
        // The two verdict companions read the new run's verdicts before they are filled in.
        if (!latest.micCameraPassed && !latest.cameraBypassed) latest.cameraBypassed = p.cameraBypassed;
        if (!latest.inputPassed && !latest.peripheralStatus) latest.peripheralStatus = p.peripheralStatus;
        keepPrevious(latest.specs, p.specs);
        keepPrevious(latest.cpuResult, p.cpuResult);
        keepPrevious(latest.gpuResult, p.gpuResult);
        keepPrevious(latest.memoryResult, p.memoryResult);
        keepPreviousOverUnknown(latest.batteryResult, p.batteryResult);
        keepPrevious(latest.displayResult, p.displayResult);
        keepPrevious(latest.keyboardResult, p.keyboardResult);
        keepPrevious(latest.audioPassed, p.audioPassed);
        keepPrevious(latest.micCameraPassed, p.micCameraPassed);
        keepPrevious(latest.inputPassed, p.inputPassed);
        keepPreviousOverUnknown(latest.driveHealth, p.driveHealth);
    }
    latest.overallScore = healthScore(latest).value_or(0);
    return latest;
}

bool BenchmarkScoring::dropIncompatibleResults(FinalBenchmarkReport& report) {
    if (!report.cpuResult || report.cpuResult->scoringVersion == BenchmarkBaseline::scoringVersion) return false;
    report.cpuResult.reset();
    report.overallScore = healthScore(report).value_or(0);
    return true;
}

} // namespace zantiva
