#include "Probes/KeyPressTracker.h"

#include "Model/MacKeyboardLayout.h"

namespace zantiva {

namespace {

const KeyboardKey* layoutKey(std::uint16_t keyCode) {
    const auto& byCode = MacKeyboardLayout::byCode();
    const auto found = byCode.find(keyCode);
    return found == byCode.end() ? nullptr : &found->second;
}

} // namespace

void KeyPressTracker::keyDown(std::uint16_t keyCode, bool isRepeat) {
    if (isRepeat) return;
    const KeyboardKey* key = layoutKey(keyCode);
    if (!key || key->isModifier) return;
    ++counts_[keyCode];
    lastKeyLabel_ = MacKeyboardLayout::reportLabel(*key);
}

void KeyPressTracker::flagsChanged(std::uint16_t keyCode, bool isDown, bool isRepeat) {
    if (isDown && isRepeat) return;
    const KeyboardKey* key = layoutKey(keyCode);
    if (!key || !key->isModifier) return;
    lastKeyLabel_ = MacKeyboardLayout::reportLabel(*key);
    if (keyCode == MacKeyboardLayout::capsLock) {
        counts_[keyCode] = 1;
    } else if (isDown) {
        modifiersDown_.insert(keyCode);
        ++counts_[keyCode];
    } else {
        modifiersDown_.erase(keyCode);
    }
}

void KeyPressTracker::key(std::uint16_t keyCode, bool isDown, bool isRepeat) {
    const KeyboardKey* key = layoutKey(keyCode);
    if (!key) return;
    if (key->isModifier) flagsChanged(keyCode, isDown, isRepeat);
    else if (isDown) keyDown(keyCode, isRepeat);
}

int KeyPressTracker::count(const KeyboardKey& key) const {
    const auto found = counts_.find(key.keyCode);
    return found == counts_.end() ? 0 : found->second;
}

KeyboardTestResult KeyPressTracker::result() const {
    KeyboardTestResult result;
    for (const auto& key : MacKeyboardLayout::keys()) {
        const int presses = count(key);
        if (key.isScored) {
            ++result.totalKeysChecked;
            if (presses == 0) result.missingKeys.push_back(MacKeyboardLayout::reportLabel(key));
        }
        if (presses >= 2) result.doublePressedKeys.push_back(MacKeyboardLayout::reportLabel(key));
    }
    return result;
}

} // namespace zantiva
