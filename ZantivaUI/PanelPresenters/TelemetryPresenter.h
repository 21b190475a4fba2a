#pragma once

#include <optional>
#include <string>

#include "Model/SensorSnapshot.h"
#include "Palette/PaletteColor.h"

namespace zantiva {

class Loc;

// One big reading of the telemetry panel. A reading the snapshot lacks has no text: it is
// shown as an em dash in the faint outline colour with the "not reported" tooltip, never as 0.
struct TelemetryFigure {
    std::optional<std::string> text;
    PaletteColor color;          // of what is shown: the value's colour, or the dash's
    std::string tooltip;         // empty while there is a value
    std::string accessibleLabel; // the value, or the "not reported" text
    std::optional<std::string> caption;

    static constexpr const char* dash = "\u2014";
    std::string shown() const { return text.value_or(dash); }

    bool operator==(const TelemetryFigure&) const = default;
};

struct TelemetryBadge {
    std::string text;
    PaletteColor background;
    PaletteColor foreground;

    bool operator==(const TelemetryBadge&) const = default;
};

// Everything the telemetry panel shows of one snapshot, top to bottom.
struct TelemetryView {
    std::string title;
    TelemetryFigure cpuTemperature, cpuLoad;
    TelemetryFigure gpuTemperature, gpuLoad;
    std::string memoryTitle;
    TelemetryFigure memoryLoad;
    std::string memoryFootnote;
    std::string powerTitle;
    TelemetryFigure power;
    std::string fanTitle;
    TelemetryFigure fan;
    std::string thermalTitle;
    TelemetryBadge thermal;
    std::optional<std::string> noSensorsNotice;

    bool operator==(const TelemetryView&) const = default;
};

namespace TelemetryPresenter {

// The section titles that read the same in every language.
inline constexpr const char* cpuTitle = "CPU";
inline constexpr const char* gpuTitle = "GPU";
// How every screen writes a temperature, as the result and drive-health texts do ("61°C").
inline constexpr const char* temperatureTemplate = "{0:0}\u00B0C";

// The one colour rule of temperatures: none or not above 0 faint, below 60 cyan, below 85
// olive yellow, else crimson.
PaletteColor temperatureColor(std::optional<double> celsius);

TelemetryView present(const SensorSnapshot& snapshot, const Loc& loc);

} // namespace TelemetryPresenter
} // namespace zantiva
