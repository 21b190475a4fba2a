#include "PanelPresenters/TelemetryPresenter.h"

#include <algorithm>

#include "Localization/CompositeFormat.h"
#include "Localization/Loc.h"

namespace zantiva::TelemetryPresenter {

namespace {

std::optional<std::string> formatted(const char* templateText, std::optional<double> value) {
    if (!value) return std::nullopt;
    return CompositeFormat::format(templateText, {*value});
}

TelemetryFigure figure(std::optional<std::string> text, PaletteColor color, const Loc& loc,
                       std::optional<std::string> caption = std::nullopt) {
    const std::string notReported = loc["Telemetry.NotReported"];
    TelemetryFigure out{
        .text = text,
        .color = text ? color : PaletteColor::outlineSubtle,
        .tooltip = text ? std::string() : notReported,
        .accessibleLabel = text ? *text : notReported,
        .caption = std::move(caption),
    };
    return out;
}

TelemetryFigure temperature(std::optional<double> celsius, const Loc& loc) {
    return figure(formatted(temperatureTemplate, celsius), temperatureColor(celsius), loc, loc["Telemetry.Temperature"]);
}

TelemetryFigure load(std::optional<double> percent, const Loc& loc) {
    return figure(formatted("{0:0}%", percent), PaletteColor::text, loc, loc["Telemetry.Load"]);
}

TelemetryBadge thermalBadge(std::optional<ThermalState> reported, const Loc& loc) {
    // Nothing measured is said as such, in the faint colour of every missing reading.
    if (!reported) return {loc["Dashboard.NotReported"], PaletteColor::outlineSubtle, PaletteColor::text};
    const ThermalState state = *reported;
    const std::string text = loc[localizationKey(state)];
    switch (state) {
    case ThermalState::nominal: return {text, PaletteColor::secondary, PaletteColor::onSecondary};
    case ThermalState::fair: return {text, PaletteColor::tertiary, PaletteColor::outline};
    case ThermalState::serious:
    case ThermalState::critical: break;
    }
    return {text, PaletteColor::primary, PaletteColor::outline};
}

} // namespace

PaletteColor temperatureColor(std::optional<double> celsius) {
    // Written so that a NaN, which compares false with everything, lands on the faint colour.
    if (!celsius || !(*celsius > 0)) return PaletteColor::outlineSubtle;
    if (*celsius < 60) return PaletteColor::secondary;
    if (*celsius < 85) return PaletteColor::tertiary;
    return PaletteColor::primary;
}

TelemetryView present(const SensorSnapshot& snapshot, const Loc& loc) {
    // No memory at all means it wasn't read: its load and amount are not reported, never 0.
    const bool memoryRead = snapshot.ramTotalGB > 0;
    const std::string memoryUsed = memoryRead ? loc.f("Telemetry.MemoryUsed", snapshot.ramUsedGB, snapshot.ramTotalGB)
                                              : loc["Dashboard.NotReported"];
    std::optional<double> fastestFan;
    if (!snapshot.fanRPM.empty()) fastestFan = *std::max_element(snapshot.fanRPM.begin(), snapshot.fanRPM.end());
    TelemetryView view{
        .title = loc["Telemetry.Title"],
        .cpuTemperature = temperature(snapshot.cpuTemperatureCelsius, loc),
        .cpuLoad = load(snapshot.cpuLoadPercent, loc),
        .gpuTemperature = temperature(snapshot.gpuTemperatureCelsius, loc),
        .gpuLoad = load(snapshot.gpuLoadPercent, loc),
        .memoryTitle = loc["Telemetry.Memory"],
        .memoryLoad = figure(formatted("{0:0}%", memoryRead ? std::optional(snapshot.ramLoadPercent) : std::nullopt),
                             PaletteColor::text, loc),
        .memoryFootnote = memoryUsed + " \u00B7 " + loc[localizationKey(snapshot.memoryPressure)],
        .powerTitle = loc["Telemetry.SystemPower"],
        .power = figure(formatted("{0:0.0} W", snapshot.systemPowerWatts), PaletteColor::text, loc),
        .fanTitle = loc["Telemetry.SystemFan"],
        .fan = figure(formatted("{0:0} RPM", fastestFan), PaletteColor::text, loc),
        .thermalTitle = loc["Telemetry.Thermal"],
        .thermal = thermalBadge(snapshot.thermalState, loc),
        .noSensorsNotice = std::nullopt,
    };
    // The notice vouches for the thermal state only where the system gave one.
    if (!snapshot.hasSensorAccess)
        view.noSensorsNotice = loc[snapshot.thermalState ? "Telemetry.NoSensors" : "Telemetry.NoSensors.NoThermal"];
    return view;
}

} // namespace zantiva::TelemetryPresenter
