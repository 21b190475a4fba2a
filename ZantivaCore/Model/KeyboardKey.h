#pragma once

#include <cstdint>
#include <string>

namespace zantiva {

// One key of the on-screen keyboard, identified by the virtual key code of the layout.
struct KeyboardKey {
    std::uint16_t keyCode = 0;
    std::string label;          // what the on-screen key shows
    double width = 1.0;         // relative to a letter key
    bool isScored = false;      // must be pressed for the test to pass
    bool isModifier = false;    // arrives as a modifier change, not as a key press

    std::uint16_t id() const { return keyCode; }

    bool operator==(const KeyboardKey&) const = default;
};

} // namespace zantiva
