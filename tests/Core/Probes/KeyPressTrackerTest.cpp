#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "Model/EvdevKeyMap.h"
#include "Model/MacKeyboardLayout.h"
#include "Probes/KeyPressTracker.h"

namespace zantiva {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr std::uint16_t keyA = 0, leftShift = 56, caps = 57, fn = 63, f5 = 96, notInLayout = 105;

const KeyboardKey& key(std::uint16_t code) { return MacKeyboardLayout::byCode().at(code); }

std::size_t scoredKeys() {
    const auto& keys = MacKeyboardLayout::keys();
    return static_cast<std::size_t>(std::count_if(keys.begin(), keys.end(), [](auto& k) { return k.isScored; }));
}

TEST(KeyPressTracker, FreshTrackerMissesEveryScoredKeyInLayoutOrder) {
    EXPECT_EQ(MacKeyboardLayout::byCode().size(), MacKeyboardLayout::keys().size()); // codes are unique
    const KeyPressTracker tracker;
    EXPECT_FALSE(tracker.lastKeyLabel());
    const auto result = tracker.result();
    EXPECT_EQ(result.totalKeysChecked, static_cast<std::int64_t>(scoredKeys()));
    ASSERT_EQ(result.missingKeys.size(), scoredKeys());
    EXPECT_THAT(std::vector(result.missingKeys.begin(), result.missingKeys.begin() + 3), ElementsAre("Esc", "`", "1"));
    EXPECT_THAT(result.doublePressedKeys, IsEmpty());
    EXPECT_EQ(MacKeyboardLayout::reportLabel(key(61)), "R-Alt");
    EXPECT_EQ(MacKeyboardLayout::reportLabel(key(51)), "Backspace");
    // The desktop keeps Super for itself: drawn, never missing.
    EXPECT_THAT(result.missingKeys, Not(Contains("L-Super")));
    EXPECT_THAT(result.missingKeys, Not(Contains("R-Super")));
}

// The missed-keys list names each key as its cap does (a side before a paired modifier), so
// the user finds it on the grid; only the erase key's cap shows a sign instead of a name.
TEST(KeyPressTracker, ReportNamesAKeyAsItsCapIsSpelled) {
    for (const KeyboardKey& k : MacKeyboardLayout::keys()) {
        if (k.keyCode == 51) continue;
        const std::string named = MacKeyboardLayout::reportLabel(k);
        EXPECT_TRUE(named == k.label || named == "L-" + k.label || named == "R-" + k.label)
            << k.label << " is reported as " << named;
    }
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

TEST(KeyPressTracker, LinuxKeyEventsCountEachKeyOnItsPress) {
    KeyPressTracker tracker;
    tracker.key(keyA, true, false);
    tracker.key(keyA, false, false);
    tracker.key(keyA, true, true);          // auto-repeat
    tracker.key(leftShift, true, false);
    tracker.key(leftShift, false, false);
    tracker.key(notInLayout, true, false);
    EXPECT_EQ(tracker.counts(), (std::map<std::uint16_t, int>{{keyA, 1}, {leftShift, 1}}));
    EXPECT_EQ(tracker.lastKeyLabel(), "L-Shift");
    tracker.key(leftShift, true, false);    // pressed again after its release
    EXPECT_EQ(tracker.count(key(leftShift)), 2);
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
    EXPECT_EQ(std::count(result.missingKeys.begin(), result.missingKeys.end(), "Caps"), 0);
    EXPECT_THAT(result.doublePressedKeys, IsEmpty());
    EXPECT_EQ(result.missingKeys.size(), scoredKeys() - 1);
}

TEST(KeyPressTracker, UnscoredKeysPressedTwiceAreListedButNeverMissing) {
    KeyPressTracker tracker;
    tracker.keyDown(f5, false);
    tracker.keyDown(f5, false);
    const auto result = tracker.result();
    EXPECT_EQ(result.missingKeys.size(), scoredKeys());
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
    EXPECT_EQ(tracker.pressedKeyCount(), static_cast<int>(scoredKeys()));
}

TEST(EvdevKeyMap, ReachesEveryLayoutKeyExactlyOnce) {
    std::set<std::uint16_t> reached;
    std::size_t mapped = 0;
    for (std::uint32_t evdev = 0; evdev < 768; ++evdev) {
        if (auto code = macKeyCodeForEvdev(evdev)) {
            ++mapped;
            EXPECT_TRUE(MacKeyboardLayout::byCode().contains(*code)) << evdev;
            reached.insert(*code);
        }
    }
    EXPECT_EQ(mapped, MacKeyboardLayout::keys().size());
    EXPECT_EQ(reached.size(), MacKeyboardLayout::keys().size());
}

TEST(EvdevKeyMap, TranslatesQtScanCodesAndKnownKeys) {
    const std::pair<std::uint32_t, std::optional<std::uint16_t>> cases[] = {
        {38, keyA},      // XKB 38 is KEY_A (30)
        {66, caps},      // KEY_CAPSLOCK 58
        {50, leftShift}, // KEY_LEFTSHIFT 42
        {133, 55},       // KEY_LEFTMETA: left Super
        {108, 61},       // KEY_RIGHTALT: right Alt
        {22, 51},        // Backspace
        {105, {}},       // KEY_RIGHTCTRL: not drawn
        {94, {}},        // KEY_102ND, the ISO key
        {0, {}},         {7, {}},
    };
    for (const auto& [scanCode, code] : cases) EXPECT_EQ(macKeyCodeForScanCode(scanCode), code) << scanCode;
}

} // namespace
} // namespace zantiva
