#include "Model/EvdevKeyMap.h"

#include <array>
#include <utility>

namespace zantiva {

namespace {

// (input-event code, layout key code), by the input-event code.
constexpr std::array<std::pair<std::uint32_t, std::uint16_t>, 77> evdevToLayout{{
    {1, 53},     // Esc
    {2, 18},  {3, 19},  {4, 20},  {5, 21},  {6, 23},  {7, 22},  {8, 26},  {9, 28},  {10, 25}, {11, 29},   // 1..0
    {12, 27},    // minus
    {13, 24},    // equal
    {14, 51},    // Backspace
    {15, 48},    // Tab
    {16, 12}, {17, 13}, {18, 14}, {19, 15}, {20, 17}, {21, 16}, {22, 32}, {23, 34}, {24, 31}, {25, 35},   // Q..P
    {26, 33},    // left brace
    {27, 30},    // right brace
    {28, 36},    // Enter
    {29, 59},    // left Ctrl
    {30, 0},  {31, 1},  {32, 2},  {33, 3},  {34, 5},  {35, 4},  {36, 38}, {37, 40}, {38, 37},   // A..L
    {39, 41},    // semicolon
    {40, 39},    // apostrophe
    {41, 50},    // grave
    {42, 56},    // left Shift
    {43, 42},    // backslash
    {44, 6},  {45, 7},  {46, 8},  {47, 9},  {48, 11}, {49, 45}, {50, 46},   // Z..M
    {51, 43},    // comma
    {52, 47},    // dot
    {53, 44},    // slash
    {54, 60},    // right Shift
    {56, 58},    // left Alt
    {57, 49},    // space
    {58, 57},    // Caps Lock
    {59, 122}, {60, 120}, {61, 99}, {62, 118}, {63, 96}, {64, 97}, {65, 98}, {66, 100}, {67, 101}, {68, 109},   // F1..F10
    {87, 103},   // F11
    {88, 111},   // F12
    {100, 61},   // right Alt
    {103, 126},  // up
    {105, 123},  // left
    {106, 124},  // right
    {108, 125},  // down
    {125, 55},   // left Super
    {126, 54},   // right Super
    {464, 63},   // Fn, where the keyboard reports it
}};

} // namespace

std::optional<std::uint16_t> macKeyCodeForEvdev(std::uint32_t evdevCode) {
    for (const auto& [evdev, layout] : evdevToLayout)
        if (evdev == evdevCode) return layout;
    return std::nullopt;
}

std::optional<std::uint16_t> macKeyCodeForScanCode(std::uint32_t nativeScanCode) {
    constexpr std::uint32_t xkbOffset = 8;
    if (nativeScanCode < xkbOffset) return std::nullopt;
    return macKeyCodeForEvdev(nativeScanCode - xkbOffset);
}

} // namespace zantiva
