// The keyboard-and-touchpad page's presenter: when the sweep may start, how the drawn keyboard
// colours its caps, and what the touchpad step says of the key result.

#include <gtest/gtest.h>

#include "Localization/Loc.h"
#include "Model/MacKeyboardLayout.h"
#include "Presenters/InputStationPresenter.h"

using namespace zantiva;

namespace {

const Loc english(AppLanguage::english);
constexpr std::uint16_t keyA = 0, keyQ = 12, f5 = 96, leftSuper = 55;

// The cap of the key with that code.
KeyCapView cap(const InputStationView& view, std::uint16_t code) {
    const auto& rows = MacKeyboardLayout::rows();
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t k = 0; k < rows[r].size(); ++k)
            if (rows[r][k].keyCode == code) return view.keyboard.at(r).at(k);
    return {};
}

InputStationState afterSweep(std::initializer_list<std::uint16_t> presses) {
    InputStationState state{.phase = KeyboardTestPhase::touchpad};
    for (const auto code : presses) state.tracker.key(code, true, false);
    state.result = state.tracker.result();
    return state;
}

} // namespace

TEST(InputStationPresenter, TheSweepStartsAfterTwentyTypedCharacters) {
    for (const auto& [typed, enabled] : {std::pair{19, false}, {20, true}}) {
        const auto view = InputStationPresenter::present({.typedLength = typed}, english);
        EXPECT_EQ(view.canBeginSweep, enabled) << typed;
        EXPECT_EQ(view.step, english["Input.Step1"]);
        EXPECT_EQ(view.sentence.size(), 65u);
        EXPECT_TRUE(view.keyboard.empty());
    }
}

TEST(InputStationPresenter, CapsLightByPressesAndOptionalKeysShowFaintUntilPressed) {
    InputStationState state{.phase = KeyboardTestPhase::keySequence};
    auto view = InputStationPresenter::present(state, english);
    EXPECT_EQ(view.lastKey, english.f("Input.LastKey", "\u2014"));
    ASSERT_EQ(view.keyboard.size(), MacKeyboardLayout::rows().size());
    EXPECT_EQ(cap(view, keyA), (KeyCapView{"A", 1, PaletteColor::muted, PaletteColor::text, 1}));
    EXPECT_EQ(cap(view, f5).labelOpacity, 0.5);
    EXPECT_EQ(cap(view, leftSuper), (KeyCapView{"Super", 1.3, PaletteColor::muted, PaletteColor::text, 0.5}));

    for (const auto code : {keyA, keyQ, keyQ, f5}) state.tracker.key(code, true, false);
    view = InputStationPresenter::present(state, english);
    EXPECT_EQ(cap(view, keyA), (KeyCapView{"A", 1, PaletteColor::secondary, PaletteColor::outline, 1}));
    EXPECT_EQ(cap(view, keyQ).fill, PaletteColor::tertiary);
    EXPECT_EQ(cap(view, f5), (KeyCapView{"F5", 1, PaletteColor::secondary, PaletteColor::outline, 1}));
    EXPECT_EQ(view.lastKey, english.f("Input.LastKey", "F5"));
}

TEST(InputStationPresenter, TheKeyResultListsOnlyWhatWentWrong) {
    InputStationState clean = afterSweep({});
    clean.result = KeyboardTestResult{.totalKeysChecked = 62};
    auto view = InputStationPresenter::present(clean, english);
    EXPECT_EQ(view.noMissing, english["Input.NoMissing"]);
    EXPECT_FALSE(view.missing);
    EXPECT_FALSE(view.doublePressed);
    EXPECT_FALSE(view.verdict.canContinue) << "no key registered in the sweep";

    InputStationState doubled = afterSweep({keyQ, keyQ, keyA, keyA});
    doubled.result->missingKeys.clear();
    view = InputStationPresenter::present(doubled, english);
    EXPECT_FALSE(view.noMissing);
    EXPECT_FALSE(view.missing);
    EXPECT_EQ(view.doublePressed, (KeyListView{english["Input.DoublePressed"], "Q  A"}));
    EXPECT_TRUE(view.verdict.canContinue);

    InputStationState both = afterSweep({keyQ, keyQ});
    both.sawMove = both.sawClick = both.sawScroll = true;
    view = InputStationPresenter::present(both, english);
    ASSERT_TRUE(view.missing);
    EXPECT_EQ(view.missing->title, english["Input.Missing"]);
    EXPECT_EQ(view.missing->keys.substr(0, 10), "Esc  `  1 ");
    EXPECT_EQ(view.missing->keys.find("Q "), std::string::npos);
    EXPECT_EQ(view.doublePressed, (KeyListView{english["Input.DoublePressed"], "Q"}));
    EXPECT_EQ(view.touchpadSeen, english.f("Input.TrackpadSeen", 3));
}
