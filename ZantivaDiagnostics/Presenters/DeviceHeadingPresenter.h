#pragma once

#include <optional>
#include <string>

#include "Model/DeviceGrade.h"
#include "Model/SystemSpecs.h"
#include "Palette/PaletteColor.h"

namespace zantiva {

class Loc;

// What the device heading is shown from.
struct DeviceHeadingState {
    std::optional<SystemSpecs> specs;
    bool hasResults = false;
    std::optional<DeviceGrade> grade; // of the last report
};

// The round button with the device's letter grade (the letter is always white).
struct GradeDotView {
    std::string letter; // an em dash without a grade
    PaletteColor fill = PaletteColor::muted;
    std::string tooltip;

    bool operator==(const GradeDotView&) const = default;
};

// The machine's name under a caption of its maker and system, with the grade dot once
// results exist.
struct DeviceHeadingView {
    std::string caption;
    std::string name;
    std::optional<GradeDotView> gradeDot;

    bool operator==(const DeviceHeadingView&) const = default;
};

namespace DeviceHeadingPresenter {

// The maker and the system that are known, joined; a single space before the specs are read.
std::string caption(const std::optional<SystemSpecs>& specs);
// The grade's tone, or muted without a grade.
GradeDotView gradeDot(std::optional<DeviceGrade> grade, const Loc& loc);

DeviceHeadingView present(const DeviceHeadingState& state, const Loc& loc);

} // namespace DeviceHeadingPresenter
} // namespace zantiva
