#pragma once

#include <cstdint>
#include <optional>

namespace zantiva {

// The layout's key code of a Linux input-event key code (KEY_A is 30); absent for keys the
// layout does not draw (right Ctrl, the ISO key, the keypad, media keys).
std::optional<std::uint16_t> macKeyCodeForEvdev(std::uint32_t evdevCode);

// The same for a key event's native scan code as Qt reports it on X11 and Wayland: an XKB
// key code, which is the input-event code plus 8.
std::optional<std::uint16_t> macKeyCodeForScanCode(std::uint32_t nativeScanCode);

} // namespace zantiva
