#include "Presenters/CpuStationPresenter.h"

#include <cmath>

#include "Localization/Loc.h"
#include "Model/BenchmarkBaseline.h"
#include "Presenters/StationNumbers.h"
#include "PanelPresenters/TelemetryPresenter.h"

namespace zantiva::CpuStationPresenter {
namespace {

// A reading that is not a number counts as not taken.
std::optional<double> known(const std::optional<double>& value) {
    return value && std::isfinite(*value) ? value : std::nullopt;
}

} // namespace

CpuStationView present(const CpuStationState& state, const Loc& loc) {
    using StationNumbers::reading;
    const CpuBenchmarkProgress p = state.progress.value_or(CpuBenchmarkProgress{});
    std::vector<MetricValue> metrics{
        {loc["Cpu.LiveScore"], reading("{0:N0}", p.currentScore), PaletteColor::text},
        {loc["Cpu.Usage"], reading("{0:0}%", p.currentLoadPercent), PaletteColor::text},
    };
    if (const auto celsius = known(p.currentTemperature))
        metrics.push_back({loc["Cpu.Temperature"], reading(TelemetryPresenter::temperatureTemplate, *celsius),
                           TelemetryPresenter::temperatureColor(celsius)});
    if (const auto watts = known(p.currentPowerWatts))
        metrics.push_back({loc["Cpu.PackagePower"], reading("{0:0.0} W", *watts), PaletteColor::text});
    metrics.push_back({loc["Common.Elapsed"], reading("{0:0}s", p.elapsedSeconds), PaletteColor::text});

    return {
        .phase = loc[localizationKey(p.phase)],
        .fraction = StationNumbers::barFraction(p.overallFraction),
        .metrics = std::move(metrics),
        .throttle = p.throttleDetected ? std::optional(loc["Cpu.Throttle"]) : std::nullopt,
        .usage = LiveUsagePresenter::present(state.trace, LiveUsagePresenter::cpuKeys, loc),
        .reference = loc.f("Cpu.ReferenceShort", BenchmarkBaseline::cpuReferenceDevice),
    };
}

} // namespace zantiva::CpuStationPresenter
