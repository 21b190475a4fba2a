#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Model/TestModule.h"
#include "Model/KeyboardTestResult.h"
#include "Palette/PaletteColor.h"
#include "Presenters/StationFramePresenter.h"
#include "Probes/KeyPressTracker.h"

namespace zantiva {

class Loc;

// Where the keyboard-and-touchpad check stands.
struct InputStationState {
    KeyboardTestPhase phase = KeyboardTestPhase::typing;
    int typedLength = 0;                       // characters typed, without spaces and tabs around them
    KeyPressTracker tracker;                   // the presses of the key sweep
    std::optional<KeyboardTestResult> result;  // taken once, when the sweep ends
    bool sawMove = false;                      // the pointer moved inside the touchpad area
    bool sawClick = false;                     // the touchpad area was clicked or tapped
    bool sawScroll = false;                    // a scroll that moved something, anywhere in the program

    // How many of the three kinds of touchpad use were seen, each once however often.
    int touchpadSignals() const { return int(sawMove) + int(sawClick) + int(sawScroll); }

    bool operator==(const InputStationState&) const = default;
};

// One key of the drawn keyboard.
struct KeyCapView {
    std::string label;
    double width = 1;          // in letter keys
    PaletteColor fill = PaletteColor::muted;
    PaletteColor labelColor = PaletteColor::text;
    double labelOpacity = 1;   // half for a key that need not be pressed, until it is

    bool operator==(const KeyCapView&) const = default;
};

// A heading and the report labels of the keys under it, two spaces apart.
struct KeyListView {
    std::string title;
    std::string keys;

    bool operator==(const KeyListView&) const = default;
};

// The page of the current step; the fields of the other steps stay empty.
struct InputStationView {
    KeyboardTestPhase phase = KeyboardTestPhase::typing;
    std::string step;                       // the step's heading

    // Typing: the sentence to type and the button to the key sweep.
    std::string sentence;
    std::string nextLabel;
    bool canBeginSweep = false;

    // The key sweep: what to do, the keyboard row by row (left to right), the last key.
    std::string hint;
    std::vector<std::vector<KeyCapView>> keyboard;
    std::string lastKey;
    std::string finishLabel;

    // The touchpad: the key result, the area's texts and the verdict.
    std::optional<std::string> noMissing;   // a clean result says so and lists nothing
    std::optional<KeyListView> missing;
    std::optional<KeyListView> doublePressed;
    std::string touchpadTitle;
    std::string touchpadSeen;
    VerdictView verdict;

    bool operator==(const InputStationView&) const = default;
};

namespace InputStationPresenter {

// Types every letter and the digit and shifted digit row once.
inline constexpr std::string_view sentence = "The quick brown fox jumps over the lazy dog 1234567890 !@#$%^&*()";
// Typed characters the key sweep waits for; the text is never compared with the sentence.
inline constexpr int typedNeeded = 20;

InputStationView present(const InputStationState& state, const Loc& loc);

// The keyboard's caps as the presses colour them: muted until pressed, then secondary once and
// tertiary twice or more.
std::vector<std::vector<KeyCapView>> keyboard(const KeyPressTracker& tracker);

} // namespace InputStationPresenter
} // namespace zantiva
