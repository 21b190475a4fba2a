#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "Probes/EvdevKeyMap.h"
#include "Probes/KeyPressTracker.h"
#include "Probes/MacKeyboardLayout.h"

namespace zantiva {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::uint16_t keyA = 0, leftShift = 56, caps = 57, fn = 63, f5 = 96, notInLayout = 105;

const KeyboardKey& key(std::uint16_t code) { return MacKeyboardLayout::byCode().at(code); }

TEST(MacKeyboardLayout, HasSixRowsOf77KeysWith64ScoredAndNineModifiers) {
    std::vector<std::size_t> sizes;
    for (const auto& row : MacKeyboardLayout::rows()) sizes.push_back(row.size());
    EXPECT_THAT(sizes, ElementsAre(13, 14, 14, 13, 12, 11));
    const auto& keys = MacKeyboardLayout::keys();
    ASSERT_EQ(keys.size(), 77u);
    EXPECT_EQ(MacKeyboardLayout::byCode().size(), 77u);   // codes are unique
    EXPECT_EQ(std::count_if(keys.begin(), keys.end(), [](auto& k) { return k.isScored; }), 64);
    EXPECT_EQ(std::count_if(keys.begin(), keys.end(), [](auto& k) { return k.isModifier; }), 9);
    EXPECT_EQ(keys[1], (KeyboardKey{122, "F1", 1.0, false, false}));
    EXPECT_EQ(keys[12], (KeyboardKey{111, "F12", 1.0, false, false}));
    EXPECT_EQ(key(49), (KeyboardKey{49, "space", 5.2, true, false}));
    EXPECT_EQ(key(caps), (KeyboardKey{caps, "caps", 1.9, true, true}));
    EXPECT_EQ(MacKeyboardLayout::reportLabel(key(61)), "R-Option");
    EXPECT_EQ(MacKeyboardLayout::reportLabel(key(caps)), "caps");
}

TEST(KeyPressTracker, FreshTrackerMissesEveryScoredKey) {
    const KeyPressTracker tracker;
    EXPECT_EQ(tracker.pressedKeyCount(), 0);
    EXPECT_FALSE(tracker.lastKeyLabel());
    const auto result = tracker.result();
    EXPECT_EQ(result.totalKeysChecked, 64);
    ASSERT_EQ(result.missingKeys.size(), 64u);
    EXPECT_THAT(std::vector(result.missingKeys.begin(), result.missingKeys.begin() + 3), ElementsAre("esc", "`", "1"));
    EXPECT_THAT(result.doublePressedKeys, IsEmpty());
    EXPECT_EQ(tracker.count(key(keyA)), 0);
}

TEST(KeyPressTracker, CountsKeyDownsButNotRepeatsUnknownKeysOrModifiers) {
    KeyPressTracker tracker;
    tracker.keyDown(keyA, false);
    tracker.keyDown(keyA, true);
    tracker.keyDown(keyA, true);
    EXPECT_EQ(tracker.count(key(keyA)), 1);
    EXPECT_EQ(tracker.lastKeyLabel(), "A");

    tracker.keyDown(notInLayout, false);
    tracker.flagsChanged(notInLayout, true, false);
    tracker.keyDown(leftShift, false);      // shift counts only as a modifier change
    tracker.flagsChanged(keyA, true, false); // A is not a modifier
    EXPECT_EQ(tracker.counts(), (std::map<std::uint16_t, int>{{keyA, 1}}));
    EXPECT_EQ(tracker.lastKeyLabel(), "A");
}

TEST(KeyPressTracker, ModifierPressesCountAndReleasesDoNot) {
    KeyPressTracker tracker;
    for (bool down : {true, false, true, false}) tracker.flagsChanged(leftShift, down, false);
    EXPECT_EQ(tracker.count(key(leftShift)), 2);
    EXPECT_EQ(tracker.lastKeyLabel(), "L-Shift");
    EXPECT_THAT(tracker.result().doublePressedKeys, ElementsAre("L-Shift"));
    // Nothing is held any more: the next press is one press.
    KeyPressTracker once;
    once.flagsChanged(leftShift, true, false);
    once.flagsChanged(leftShift, false, false);
    EXPECT_NE(tracker, once);
    EXPECT_EQ(once.count(key(leftShift)), 1);
}

TEST(KeyPressTracker, MissedReleaseDoesNotTurnTheNextPressIntoARelease) {
    KeyPressTracker tracker;
    tracker.flagsChanged(leftShift, true, false);   // its release went to another window
    tracker.flagsChanged(leftShift, true, false);
    tracker.flagsChanged(leftShift, false, false);
    tracker.flagsChanged(leftShift, false, false);  // a stray release changes nothing
    EXPECT_EQ(tracker.count(key(leftShift)), 2);

    KeyPressTracker held;
    held.flagsChanged(leftShift, true, false);
    held.flagsChanged(leftShift, true, true);       // auto-repeat of a held modifier
    EXPECT_EQ(held.count(key(leftShift)), 1);
}

TEST(KeyPressTracker, CapsLockCountsOnceAndFnIsNeverMissing) {
    KeyPressTracker tracker;
    for (int i = 0; i < 5; ++i) {
        tracker.flagsChanged(caps, true, false);
        tracker.flagsChanged(caps, false, false);
    }
    tracker.flagsChanged(fn, true, false);
    const auto result = tracker.result();
    EXPECT_EQ(tracker.count(key(caps)), 1);
    EXPECT_EQ(tracker.count(key(fn)), 1);
    EXPECT_EQ(std::count(result.missingKeys.begin(), result.missingKeys.end(), "caps"), 0);
    EXPECT_THAT(result.doublePressedKeys, IsEmpty());
    EXPECT_EQ(result.missingKeys.size(), 63u);
}

TEST(KeyPressTracker, UnscoredKeysPressedTwiceAreListedButNeverMissing) {
    KeyPressTracker tracker;
    tracker.keyDown(f5, false);
    tracker.keyDown(f5, false);
    const auto result = tracker.result();
    EXPECT_EQ(result.missingKeys.size(), 64u);
    EXPECT_THAT(result.doublePressedKeys, ElementsAre("F5"));
}

TEST(KeyPressTracker, EveryScoredKeyOnceIsAPass) {
    KeyPressTracker tracker;
    for (const auto& k : MacKeyboardLayout::keys()) {
        if (!k.isScored) continue;
        if (k.isModifier) {
            tracker.flagsChanged(k.keyCode, true, false);
            tracker.flagsChanged(k.keyCode, false, false);
        } else {
            tracker.keyDown(k.keyCode, false);
        }
    }
    const auto result = tracker.result();
    EXPECT_THAT(result.missingKeys, IsEmpty());
    EXPECT_THAT(result.doublePressedKeys, IsEmpty());
    EXPECT_EQ(tracker.pressedKeyCount(), 64);
}

TEST(EvdevKeyMap, ReachesEveryLayoutKeyExactlyOnce) {
    std::set<std::uint16_t> reached;
    int mapped = 0;
    for (std::uint32_t evdev = 0; evdev < 768; ++evdev) {
        if (auto code = macKeyCodeForEvdev(evdev)) {
            ++mapped;
            EXPECT_TRUE(MacKeyboardLayout::byCode().contains(*code)) << evdev;
            reached.insert(*code);
        }
    }
    EXPECT_EQ(mapped, 77);
    EXPECT_EQ(reached.size(), 77u);
}

TEST(EvdevKeyMap, TranslatesQtScanCodesAndKnownKeys) {
    EXPECT_EQ(macKeyCodeForScanCode(38), keyA);          // XKB 38 is KEY_A (30)
    EXPECT_EQ(macKeyCodeForScanCode(9), 53);             // Esc
    EXPECT_EQ(macKeyCodeForScanCode(66), caps);          // KEY_CAPSLOCK 58
    EXPECT_EQ(macKeyCodeForScanCode(50), leftShift);     // KEY_LEFTSHIFT 42
    EXPECT_EQ(macKeyCodeForScanCode(133), 55);           // KEY_LEFTMETA: left command
    EXPECT_EQ(macKeyCodeForScanCode(108), 61);           // KEY_RIGHTALT: right option
    EXPECT_EQ(macKeyCodeForScanCode(111), 126);          // KEY_UP
    EXPECT_EQ(macKeyCodeForScanCode(22), 51);            // Backspace is "delete"
    EXPECT_FALSE(macKeyCodeForScanCode(105));            // KEY_RIGHTCTRL: not drawn
    EXPECT_FALSE(macKeyCodeForScanCode(94));             // KEY_102ND, the ISO key
    EXPECT_FALSE(macKeyCodeForScanCode(0));
    EXPECT_FALSE(macKeyCodeForScanCode(7));
}

} // namespace
} // namespace zantiva
