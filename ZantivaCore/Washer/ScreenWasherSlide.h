#pragma once

#include <array>
#include <string_view>

namespace zantiva {

// An opaque colour, each component from 0 to 1.
struct WasherColor {
    double red = 0;
    double green = 0;
    double blue = 0;
    bool operator==(const WasherColor&) const = default;
};

// One plain-colour slide for inspecting the screen, with the message key of its label.
struct ScreenWasherSlide {
    std::string_view labelKey;
    WasherColor color;
    bool operator==(const ScreenWasherSlide&) const = default;
};

// The inspection slides in the order the arrow keys step through them: dark greys first,
// where retained images show best, then the primaries, white and black.
inline constexpr std::array<ScreenWasherSlide, 9> washerSlides{{
    {"Washer.Slide.Gray5", {0.05, 0.05, 0.05}},
    {"Washer.Slide.Gray10", {0.1, 0.1, 0.1}},
    {"Washer.Slide.Gray20", {0.2, 0.2, 0.2}},
    {"Washer.Slide.Gray50", {0.5, 0.5, 0.5}},
    {"Color.Red", {1, 0, 0}},
    {"Color.Green", {0, 1, 0}},
    {"Color.Blue", {0, 0, 1}},
    {"Color.White", {1, 1, 1}},
    {"Color.Black", {0, 0, 0}},
}};

} // namespace zantiva
