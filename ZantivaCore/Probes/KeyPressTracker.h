#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "Model/KeyboardKey.h"
#include "Model/KeyboardTestResult.h"

namespace zantiva {

// Counts the key presses of the keyboard test and turns them into its result. A plain
// value, changed only by its owner on the main thread.
class KeyPressTracker {
public:
    // A key press of a key that is not a modifier; auto-repeats never count.
    void keyDown(std::uint16_t keyCode, bool isRepeat);
    // A modifier key going down or coming up. Presses and releases arrive explicitly, so a
    // press is counted even when the release before it was never seen (the key was let go
    // while the window had no focus); an auto-repeated press counts nothing. Caps lock
    // counts once however often it is pressed.
    void flagsChanged(std::uint16_t keyCode, bool isDown, bool isRepeat);
    // A key going down or coming up as Linux reports every key, modifiers included: a
    // modifier's press and release are its changes, another key counts on its press only.
    void key(std::uint16_t keyCode, bool isDown, bool isRepeat);

    // Presses of a key so far; 0 for one never pressed.
    int count(const KeyboardKey& key) const;
    // Distinct keys pressed.
    int pressedKeyCount() const { return static_cast<int>(counts_.size()); }
    const std::map<std::uint16_t, int>& counts() const { return counts_; }
    // The report label of the last key an accepted event named.
    const std::optional<std::string>& lastKeyLabel() const { return lastKeyLabel_; }

    // Scored keys never pressed and keys pressed twice or more, both in layout order.
    KeyboardTestResult result() const;

    bool operator==(const KeyPressTracker&) const = default;

private:
    std::map<std::uint16_t, int> counts_;
    std::optional<std::string> lastKeyLabel_;
    std::set<std::uint16_t> modifiersDown_;   // held modifiers other than caps lock
};

} // namespace zantiva
