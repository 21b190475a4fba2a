#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>

#include "Model/DisplayTestResult.h"

namespace zantiva {

// Where the full-screen display test is, what the user ticked, and the frame-rate meter.
class DisplayTestState {
public:
    enum class Page { intro, color, deadPixel, refresh, checklist };
    struct Step {
        Page page = Page::intro;
        int color = 0; // index into sweep on a colour page
        bool operator==(const Step&) const = default;
    };
    struct SweepColor {
        std::uint32_t rgb;
        const char* key;
    };
    struct ChecklistEntry {
        const char* issue;
        const char* label;
    };

    static constexpr std::array<SweepColor, 5> sweep{{{0xFF0000, "Color.Red"},
                                                      {0x00FF00, "Color.Green"},
                                                      {0x0000FF, "Color.Blue"},
                                                      {0xFFFFFF, "Color.White"},
                                                      {0x000000, "Color.Black"}}};
    static constexpr std::array<ChecklistEntry, 6> checklist{{
        {"Display.Issue.DeadPixels", "Display.Checklist.DeadPixels"},
        {"Display.Issue.Ghosting", "Display.Checklist.Ghosting"},
        {"Display.Issue.Brightness", "Display.Checklist.Brightness"},
        {"Display.Issue.BurnIn", "Display.Checklist.BurnIn"},
        {"Display.Issue.Bleed", "Display.Checklist.Bleed"},
        {"Display.Issue.Refresh", "Display.Checklist.Refresh"},
    }};
    // The meter keeps the newest intervals only.
    static constexpr std::size_t meterWindow = 30;
    // A clock faster than the screen says it draws is not paced by it (a software buffer
    // swap, a timer): such a rate is no measurement.
    static constexpr double trustMargin = 1.1;

    const Step& step() const { return step_; }
    const std::set<std::string>& ticked() const { return ticked_; }
    double measuredHz() const { return measuredHz_; }

    // intro, the five colours, dead pixels, refresh, checklist; nothing after the checklist.
    // Entering the refresh page starts the meter afresh. False when the step stayed.
    bool advance();
    // One frame shown at that time (seconds on a steady clock). Gaps of 1 ms or less and of
    // half a second or more are not counted, but the next gap is measured from this frame.
    void frameRendered(double seconds);
    void setTicked(const std::string& issue, bool ticked);

    // The meter's rate when there is one the screen's reported rate can account for.
    // screenHz: what the screen reports; without a positive report no rate is refused.
    static std::optional<double> trustedRate(double measuredHz, double screenHz);
    // The ticked issues in checklist order, and the trusted rate rounded to whole hertz.
    DisplayTestResult result(double screenHz) const;

private:
    Step step_;
    std::set<std::string> ticked_;
    double measuredHz_ = 0;
    std::deque<double> intervals_;
    std::optional<double> lastFrame_;
};

} // namespace zantiva
