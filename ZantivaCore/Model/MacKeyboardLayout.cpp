#include "Model/MacKeyboardLayout.h"

#include <array>
#include <string_view>
#include <utility>

namespace zantiva::MacKeyboardLayout {

namespace {

constexpr bool S = true;    // scored
constexpr bool M = true;    // modifier
constexpr bool no = false;

std::vector<KeyboardKey> functionRow() {
    constexpr std::array<std::uint16_t, 12> codes{122, 120, 99, 118, 96, 97, 98, 100, 101, 109, 103, 111};
    std::vector<KeyboardKey> row{{53, "Esc", 1.4, S, no}};
    for (std::size_t i = 0; i < codes.size(); ++i) row.push_back({codes[i], "F" + std::to_string(i + 1), 1.0, no, no});
    return row;
}

// Scored letter-width keys, each code with its label, in order.
void addKeys(std::vector<KeyboardKey>& row, std::initializer_list<std::pair<std::uint16_t, const char*>> keys) {
    for (const auto& [code, label] : keys) row.push_back({code, label, 1.0, S, no});
}

std::vector<std::vector<KeyboardKey>> buildRows() {
    std::vector<KeyboardKey> numbers;
    addKeys(numbers, {{50, "`"}, {18, "1"}, {19, "2"}, {20, "3"}, {21, "4"}, {23, "5"}, {22, "6"}, {26, "7"},
                      {28, "8"}, {25, "9"}, {29, "0"}, {27, "-"}, {24, "="}});
    numbers.push_back({51, "\u232B", 1.6, S, no});   // erase-to-the-left sign: Backspace

    std::vector<KeyboardKey> upper{{48, "Tab", 1.6, S, no}};
    addKeys(upper, {{12, "Q"}, {13, "W"}, {14, "E"}, {15, "R"}, {17, "T"}, {16, "Y"}, {32, "U"}, {34, "I"},
                    {31, "O"}, {35, "P"}, {33, "["}, {30, "]"}, {42, "\\"}});

    std::vector<KeyboardKey> home{{capsLock, "Caps", 1.9, S, M}};
    addKeys(home, {{0, "A"}, {1, "S"}, {2, "D"}, {3, "F"}, {5, "G"}, {4, "H"}, {38, "J"}, {40, "K"}, {37, "L"},
                   {41, ";"}, {39, "'"}});
    home.push_back({36, "Enter", 1.9, S, no});

    std::vector<KeyboardKey> lower{{56, "Shift", 2.4, S, M}};
    addKeys(lower, {{6, "Z"}, {7, "X"}, {8, "C"}, {9, "V"}, {11, "B"}, {45, "N"}, {46, "M"}, {43, ","}, {47, "."},
                    {44, "/"}});
    lower.push_back({60, "Shift", 2.4, S, M});

    std::vector<KeyboardKey> bottom{
        {63, "Fn", 1.0, no, M},
        {59, "Ctrl", 1.0, S, M},
        {58, "Alt", 1.0, S, M},
        // The desktop takes Super for itself and many keyboards have one only: drawn, not required.
        {55, "Super", 1.3, no, M},
        {49, "Space", 5.2, S, no},
        {54, "Super", 1.3, no, M},
        {61, "Alt", 1.0, S, M},
        {123, "\u2190", 1.0, S, no},  // arrows: left, up, down, right
        {126, "\u2191", 1.0, S, no},
        {125, "\u2193", 1.0, S, no},
        {124, "\u2192", 1.0, S, no},
    };
    return {functionRow(), numbers, upper, home, lower, bottom};
}

} // namespace

const std::vector<std::vector<KeyboardKey>>& rows() {
    static const auto built = buildRows();
    return built;
}

const std::vector<KeyboardKey>& keys() {
    static const auto all = [] {
        std::vector<KeyboardKey> list;
        for (const auto& row : rows()) list.insert(list.end(), row.begin(), row.end());
        return list;
    }();
    return all;
}

const std::unordered_map<std::uint16_t, KeyboardKey>& byCode() {
    static const auto map = [] {
        std::unordered_map<std::uint16_t, KeyboardKey> codes;
        for (const auto& key : keys()) codes.emplace(key.keyCode, key);
        return codes;
    }();
    return map;
}

std::string reportLabel(const KeyboardKey& key) {
    static constexpr std::array<std::pair<std::uint16_t, std::string_view>, 7> sided{{
        {56, "L-Shift"}, {60, "R-Shift"}, {55, "L-Super"}, {54, "R-Super"}, {58, "L-Alt"}, {61, "R-Alt"}, {51, "Backspace"},
    }};
    for (const auto& [code, label] : sided)
        if (code == key.keyCode) return std::string(label);
    return key.label;
}

} // namespace zantiva::MacKeyboardLayout
