#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "Model/KeyboardKey.h"

namespace zantiva {

// The fixed laptop keyboard that the keyboard test draws: six rows of 77 keys with their
// virtual key codes (62 scored, 9 modifiers), captioned with the PC's key names. Built once,
// thread-safely, on first use.
namespace MacKeyboardLayout {

inline constexpr std::uint16_t capsLock = 57;
// The keys the full-screen checks answer to, by their place on the keyboard.
inline constexpr std::uint16_t digit1 = 18;
inline constexpr std::uint16_t digit2 = 19;
inline constexpr std::uint16_t digit3 = 20;
inline constexpr std::uint16_t digit4 = 21;
inline constexpr std::uint16_t enter = 36;
inline constexpr std::uint16_t space = 49;
inline constexpr std::uint16_t escape = 53;
inline constexpr std::uint16_t leftArrow = 123;
inline constexpr std::uint16_t rightArrow = 124;
inline constexpr std::uint16_t downArrow = 125;
inline constexpr std::uint16_t upArrow = 126;

// Top to bottom, each row left to right.
const std::vector<std::vector<KeyboardKey>>& rows();
// The rows concatenated.
const std::vector<KeyboardKey>& keys();
// Every key under its code; codes are unique.
const std::unordered_map<std::uint16_t, KeyboardKey>& byCode();

// How results name a key: its label, with the side for the paired modifiers ("L-Shift"), and
// "Backspace" for the key whose cap shows the erase sign.
std::string reportLabel(const KeyboardKey& key);

} // namespace MacKeyboardLayout

} // namespace zantiva
