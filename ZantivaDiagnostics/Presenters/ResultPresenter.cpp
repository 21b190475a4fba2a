#include "Presenters/ResultPresenter.h"

#include "Localization/Loc.h"
#include "Model/DeductionScored.h"
#include "Presenters/ModuleText.h"
#include "Presenters/ShownNumber.h"
#include "PanelPresenters/SpecsPresenter.h"

namespace zantiva::ResultPresenter {

namespace {

using Kind = HealthComponentKind;

ResultGradeView grade(const FinalBenchmarkReport& report, const Loc& loc) {
    const auto grade = BenchmarkScoring::deviceGrade(report);
    const auto score = BenchmarkScoring::healthScore(report);
    ResultGradeView view{
        .grade = grade,
        .overall = loc["Result.Overall"],
        .title = loc[grade ? verdictKey(*grade) : "Result.Grade.PerformanceOnly"],
        .healthScore = std::nullopt,
        .note = loc[grade ? "Result.VerdictNote" : "Result.PerformanceOnlyNote"],
        .batteryPenalty = std::nullopt,
    };
    if (score) view.healthScore = loc.f("Result.HealthScore", shownNumber(*score));
    if (grade && score && *grade != deviceGradeFromHealthScore(*score)) view.batteryPenalty = loc["Result.BatteryPenalty"];
    return view;
}

ResultCpuSection cpu(const CpuBenchmarkResult& result, const Loc& loc) {
    ResultCpuSection view{
        .label = loc["Cpu.MultiScore"],
        .score = formattedNumber("{0:N0}", result.score),
        .singleCore = {loc["Cpu.SingleScore"], formattedNumber("{0:0.0}", result.singleCoreScore), PaletteColor::text},
        .sustained = std::nullopt,
        .detail = result.peakTemperatureCelsius
                      ? loc.f("Result.CpuDetail", result.threadsUsed, shownNumber(*result.peakTemperatureCelsius))
                      : loc.f("Result.CpuDetailNoTemp", result.threadsUsed),
        .integrity = result.resultsVerified ? ColoredLine{loc["Cpu.Verified"], PaletteColor::text}
                                            : ColoredLine{loc.f("Cpu.Unverified", result.wrongResults), PaletteColor::primary},
        .throttleNote = std::nullopt,
    };
    if (result.sustainedScore)
        view.sustained = MetricValue{loc["Cpu.SustainedScore"], formattedNumber("{0:N0}", *result.sustainedScore),
                                     PaletteColor::text};
    if (result.thermalThrottleDetected) view.throttleNote = loc["Bench.ThrottleNote"];
    return view;
}

ResultGpuSection gpu(const GpuBenchmarkResult& result, const Loc& loc) {
    return {
        .label = loc["Gpu.FinalScore"],
        .score = formattedNumber("{0:0.0}", result.score),
        .detail = result.sustainedScore ? loc.f("Result.GpuDetailSustained", shownNumber(result.averageFrameTimeMs),
                                                shownNumber(*result.sustainedScore))
                                        : loc.f("Result.GpuDetail", shownNumber(result.averageFrameTimeMs)),
        .adapter = result.adapterName,
    };
}

ResultPerformanceView performance(const FinalBenchmarkReport& report, const Loc& loc) {
    ResultPerformanceView view;
    if (report.cpuResult) view.cpu = cpu(*report.cpuResult, loc);
    if (report.gpuResult) view.gpu = gpu(*report.gpuResult, loc);
    if (const auto& memory = report.memoryResult)
        view.memory = ResultMemorySection{
            loc["Result.Memory"],
            {loc["Result.MemoryRead"], formattedNumber("{0:N0}", memory->averageReadThroughputMBps), PaletteColor::text},
            {loc["Result.MemoryWrite"], formattedNumber("{0:N0}", memory->averageWriteThroughputMBps), PaletteColor::text},
        };
    if (!view.cpu && !view.gpu && !view.memory) view.notRunYet = loc["Bench.NotRunYet"];
    return view;
}

const char* checkTitleKey(Kind kind) {
    switch (kind) {
    case Kind::display: return "Result.Check.Display";
    case Kind::keyboard: return "Result.Check.Input";
    case Kind::audio: return "Result.Check.Audio";
    case Kind::micCamera: return "Result.Check.MicCamera";
    case Kind::battery: return "Result.Battery";
    case Kind::memory: return "Result.Check.Memory";
    case Kind::drives: return "Result.Drives";
    case Kind::cpuIntegrity: break;
    }
    return "Result.CpuIntegrity";
}

ResultChecksView checks(const FinalBenchmarkReport& report, const Loc& loc) {
    ResultChecksView view;
    view.title = loc["Result.Checks"];
    for (const auto& component : BenchmarkScoring::healthComponents(report))
        view.rows.push_back({component.kind, loc[checkTitleKey(component.kind)], detail(component.kind, report, loc),
                             scoreBadge(component.score)});
    if (view.rows.empty()) view.notRunYet = loc["Bench.NotRunYet"];
    if (report.peripheralStatus) {
        view.peripherals = loc["Result.Peripherals"] + ": " + loc["Status.Bypassed"];
        view.peripheralsNote = loc["Result.PeripheralsNote"];
    }
    if (report.batteryResult && !report.batteryResult->batteryPresent)
        view.batteryNotScored = report.batteryResult->listingError
                                    ? loc.f("Battery.Unread", *report.batteryResult->listingError)
                                    : loc["Battery.NotScored"];
    return view;
}

ResultStorageView storage(const StorageBenchmarkResult& result, bool isRunning, const Loc& loc) {
    const auto column = [&](const char* key, const std::optional<StorageTestMeasurement>& measurement) {
        return ResultStorageColumn{measurement ? formattedNumber("{0:N0}", measurement->mbps) : missingNumber, loc[key]};
    };
    return {
        .title = loc["Result.Ssd"],
        .openLabel = loc["Result.SsdOpen"],
        .columns = {column("Result.SsdSeqRead", result.seqRead), column("Result.SsdSeqWrite", result.seqWrite),
                    column("Result.SsdRndRead", result.randomQ32Read),
                    column("Result.SsdRndWrite", result.randomQ32Write)},
        .unit = loc["Result.SsdUnit"],
        .isEnabled = !isRunning,
    };
}

} // namespace

BadgeValue scoreBadge(double score) {
    const std::string text = formattedNumber("{0:0}", score);
    if (score >= 90) return {text, PaletteColor::secondary, PaletteColor::outline};
    if (score >= 50) return {text, PaletteColor::tertiary, PaletteColor::outline};
    return {text, PaletteColor::primary, PaletteColor::onPrimary};
}

std::optional<std::string> detail(Kind kind, const FinalBenchmarkReport& report, const Loc& loc) {
    switch (kind) {
    case Kind::display: {
        std::vector<std::string> issues;
        if (report.displayResult)
            for (const auto& key : report.displayResult->issues) issues.push_back(loc[key]);
        if (issues.empty()) return loc["Result.NoIssues"];
        return SpecsPresenter::joined(issues, " \u00B7 ");
    }
    case Kind::keyboard:
        if (!report.keyboardResult) return std::nullopt;
        return loc.f("Result.KeyboardDetail", pointsDeducted(*report.keyboardResult));
    case Kind::micCamera:
        if (!report.cameraBypassed) return std::nullopt;
        return loc["Result.CameraBypassed"];
    case Kind::battery: {
        const auto& battery = report.batteryResult;
        if (!battery) return std::nullopt;
        std::vector<std::string> parts{formattedNumber("{0:0.0}%", battery->healthPercent)};
        for (const auto& key : battery->issues)
            parts.push_back(key == "Battery.Issue.Cycles" ? loc.f(key, battery->cycleCount)
                                                          : loc.f(key, shownNumber(battery->healthPercent)));
        return SpecsPresenter::joined(parts, " \u00B7 ");
    }
    case Kind::memory:
        if (!report.memoryResult) return std::nullopt;
        return loc.f("Result.MemoryErrors", report.memoryResult->errorsDetected);
    case Kind::audio:
    case Kind::drives:
    case Kind::cpuIntegrity: break;
    }
    return std::nullopt;
}

std::vector<ResultProblem> problems(const std::vector<TestModule>& plan,
                                    const std::map<TestModule, LocalizedMessage>& failures, const Loc& loc) {
    std::vector<ResultProblem> out;
    for (const auto module : plan)
        if (const auto failure = failures.find(module); failure != failures.end())
            out.push_back({loc[ModuleText::titleKey(module)], loc.resolve(failure->second)});
    return out;
}

ResultScreenView present(const ResultScreenState& state, const Loc& loc) {
    const FinalBenchmarkReport& report = state.report;
    ResultScreenView view{
        .backLabel = loc["Common.BackToDashboard"],
        .grade = grade(report, loc),
        .problems = std::nullopt,
        .performance = performance(report, loc),
        .checks = checks(report, loc),
        .driveHealth = std::nullopt,
        .storage = std::nullopt,
    };
    auto listed = problems(state.plan, state.failures, loc);
    for (const auto& problem : state.externalProblems) listed.push_back({problem.stepLabel, loc.resolve(problem.message)});
    if (!listed.empty())
        view.problems = ResultProblemsView{loc["ExtRun.Problems"], loc["Result.ProblemsNote"], std::move(listed)};
    if (report.driveHealth && DriveHealthPresenter::hasContent(*report.driveHealth))
        view.driveHealth = DriveHealthPresenter::present(*report.driveHealth, loc);
    if (state.storageResult) view.storage = storage(*state.storageResult, state.isStorageRunning, loc);
    ResultExternalView external{loc["Result.External"], {}};
    for (const auto& scored : state.externalScores)
        if (scored.result.hasAnyScore())
            external.rows.push_back({scored.name, ExternalScoresPresenter::row(scored.app, scored.result, 16, true, loc)});
    if (!external.rows.empty()) view.external = std::move(external);
    return view;
}

} // namespace zantiva::ResultPresenter
