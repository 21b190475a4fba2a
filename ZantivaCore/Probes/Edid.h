#pragma once

#include <optional>
#include <string_view>

namespace zantiva {

// A display's preferred mode as its EDID's first detailed timing gives it.
struct EdidTiming {
    int width = 0;
    int height = 0;         // of a frame, also for an interlaced timing
    double refreshHz = 0;   // pixel clock ÷ (horizontal total × vertical total); fields a second when interlaced

    // Absent for a blob without the EDID header or without a detailed timing.
    static std::optional<EdidTiming> parse(std::string_view edid);
};

} // namespace zantiva
