#include "Presenters/LiveUsagePresenter.h"

#include "Localization/CompositeFormat.h"
#include "Localization/Loc.h"

namespace zantiva::LiveUsagePresenter {
namespace {

UsageChart chart(std::string_view key, const TelemetryHistory& history, PaletteColor tint, double ceiling,
                 const Loc& loc) {
    return {
        .label = loc[key],
        // The scale names the ceiling as it is; only the drawing needs a span of at least 1.
        .scale = CompositeFormat::format("0\u2013{0:0}", {ceiling}),
        .values = history.values(),
        .capacity = history.capacity(),
        .tint = tint,
        .maximum = ceiling >= 1 ? ceiling : 1,
    };
}

} // namespace

LiveUsageView present(const LoadTrace& trace, const LiveUsageKeys& keys, const Loc& loc) {
    LiveUsageView view{.title = loc[keys.title], .charts = {}};
    if (trace.hasLoad) view.charts.push_back(chart(keys.load, trace.load, PaletteColor::primary, 100, loc));
    if (trace.hasTemperature)
        view.charts.push_back(
            chart(keys.temperature, trace.temperature, PaletteColor::secondary, LoadTrace::temperatureCeiling, loc));
    if (trace.hasPower)
        view.charts.push_back(chart(keys.power, trace.power, PaletteColor::tertiary, trace.powerCeiling(), loc));
    return view;
}

} // namespace zantiva::LiveUsagePresenter
