#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Presenters/DisplayTestState.h"

namespace zantiva {

class Loc;

// One row of the defect checklist.
struct DisplayChecklistRow {
    std::string issue; // the key stored when ticked
    std::string label;
    bool ticked = false;

    bool operator==(const DisplayChecklistRow&) const = default;
};

// The full-screen display test's page. Only the texts of the page shown are filled:
// intro: title, body, hint (how to go on), exitHint, begin;
// colour and dead pixels: fill (colour pages) and caption, dark on the white page;
// refresh: title, body, rate ("60 Hz", or the dash while nothing trusted is measured), hint;
// checklist: title, checklist, finish.
struct DisplayTestView {
    DisplayTestState::Step step;
    std::uint32_t fill = 0; // 0xRRGGBB
    std::string caption;
    bool captionOnLight = false;
    std::string title;
    std::string body;
    std::string hint;
    std::string exitHint;
    std::string begin;
    std::string rate;
    std::vector<DisplayChecklistRow> checklist;
    std::string finish;
    std::string exitTooltip; // on every page

    bool operator==(const DisplayTestView&) const = default;
};

namespace DisplayTestPresenter {

// screenHz: the refresh rate the screen reports, against which the meter is trusted.
// canMeasure: whether the page has a clock paced by the display; without one (no GL) the
// refresh page says the rate can't be measured instead of pointing at the dash.
DisplayTestView present(const DisplayTestState& state, double screenHz, bool canMeasure, const Loc& loc);

} // namespace DisplayTestPresenter
} // namespace zantiva
