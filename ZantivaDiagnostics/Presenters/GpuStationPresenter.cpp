#include "Presenters/GpuStationPresenter.h"

#include <algorithm>
#include <cmath>

#include "Localization/Loc.h"
#include "Model/BenchmarkBaseline.h"
#include "Presenters/StationNumbers.h"
#include "PanelPresenters/TelemetryPresenter.h"

namespace zantiva::GpuStationPresenter {
namespace {

using StationNumbers::reading;

std::string stageText(const GpuRenderProgress& p, const Loc& loc) {
    switch (p.stage) {
    case GpuBenchmarkStage::initializing: return loc["Gpu.Stage.Initializing"];
    case GpuBenchmarkStage::warmUp: return loc.f("Gpu.Stage.WarmUp", p.framesDone);
    case GpuBenchmarkStage::measuring: return loc.f("Gpu.Stage.Measuring", p.framesDone, p.framesInStage);
    case GpuBenchmarkStage::sustained: return loc.f("Gpu.Stage.Sustained", p.framesDone);
    }
    return {};
}

double barFraction(const GpuRenderProgress& p, int durationMinutes) {
    const double seconds = std::max(durationMinutes * 60.0, 1.0);
    double fraction = p.elapsedSeconds / seconds;
    if (p.stage != GpuBenchmarkStage::sustained) fraction = std::min(fraction, 0.99);
    return StationNumbers::barFraction(fraction);
}

// The current value through the template, or the dash when the trace has none (or a NaN).
std::string current(const char* templateText, const std::optional<double>& value) {
    return value ? reading(templateText, *value) : StationNumbers::missing;
}

std::vector<MetricValue> usage(const LoadTrace& trace, const Loc& loc) {
    std::vector<MetricValue> metrics;
    if (trace.hasLoad) metrics.push_back({loc["Gpu.Usage"], current("{0:0}%", trace.currentLoad), PaletteColor::text});
    if (trace.hasTemperature) {
        const auto celsius = trace.currentTemperature;
        metrics.push_back({loc["Gpu.Temperature"], current(TelemetryPresenter::temperatureTemplate, celsius),
                           TelemetryPresenter::temperatureColor(celsius)});
    }
    if (trace.hasPower) metrics.push_back({loc["Gpu.Power"], current("{0:0.0} W", trace.currentPower), PaletteColor::text});
    return metrics;
}

} // namespace

GpuStationView present(const GpuStationState& state, const Loc& loc) {
    const GpuRenderProgress p = state.progress.value_or(GpuRenderProgress{});
    GpuStationView view{
        .subtitle = loc["Gpu.Subtitle"],
        .adapter = std::nullopt,
        .stage = stageText(p, loc),
        .fraction = barFraction(p, state.durationMinutes),
        .metrics =
            {
                {loc["Gpu.LiveScore"], reading("{0:0.0}", p.currentScore()), PaletteColor::text},
                {loc["Gpu.FrameTime"], reading("{0:0.00}", p.rollingFrameMs), PaletteColor::text},
                {loc["Gpu.Elapsed"], reading("{0:0}s", p.elapsedSeconds), PaletteColor::text},
            },
        .previewPending = state.hasPreview ? std::nullopt : std::optional(loc["Gpu.PreviewPending"]),
        .usage = usage(state.trace, loc),
        .charts = LiveUsagePresenter::present(state.trace, LiveUsagePresenter::gpuKeys, loc),
        .reference = loc.f("Gpu.Reference", BenchmarkBaseline::gpuReferenceDevice),
    };
    if (state.gpuName) view.adapter = GpuAdapterView{loc["Gpu.Adapter"], *state.gpuName};
    return view;
}

} // namespace zantiva::GpuStationPresenter
