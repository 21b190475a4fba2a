#include "Presenters/InputStationPresenter.h"

#include "Localization/Loc.h"
#include "Model/MacKeyboardLayout.h"

namespace zantiva::InputStationPresenter {
namespace {

std::optional<KeyListView> keyList(const std::string& title, const std::vector<std::string>& keys) {
    if (keys.empty()) return std::nullopt;
    std::string joined;
    for (const auto& key : keys) joined += (joined.empty() ? "" : "  ") + key;
    return KeyListView{title, joined};
}

} // namespace

std::vector<std::vector<KeyCapView>> keyboard(const KeyPressTracker& tracker) {
    std::vector<std::vector<KeyCapView>> rows;
    for (const auto& row : MacKeyboardLayout::rows()) {
        auto& caps = rows.emplace_back();
        for (const auto& key : row) {
            const int count = tracker.count(key);
            caps.push_back({
                .label = key.label,
                .width = key.width,
                .fill = count == 0   ? PaletteColor::muted
                        : count == 1 ? PaletteColor::secondary
                                     : PaletteColor::tertiary,
                .labelColor = count > 0 ? PaletteColor::outline : PaletteColor::text,
                .labelOpacity = count > 0 || key.isScored ? 1.0 : 0.5,
            });
        }
    }
    return rows;
}

InputStationView present(const InputStationState& state, const Loc& loc) {
    InputStationView view{.phase = state.phase};
    switch (state.phase) {
    case KeyboardTestPhase::typing:
        view.step = loc["Input.Step1"];
        view.sentence = sentence;
        view.nextLabel = loc["Input.NextKeys"];
        view.canBeginSweep = state.typedLength >= typedNeeded;
        break;
    case KeyboardTestPhase::keySequence:
        view.step = loc["Input.Step2"];
        view.hint = loc["Input.KeysHint"];
        view.keyboard = keyboard(state.tracker);
        view.lastKey = loc.f("Input.LastKey", state.tracker.lastKeyLabel().value_or("\u2014"));
        view.finishLabel = loc["Input.FinishKeys"];
        break;
    case KeyboardTestPhase::touchpad:
        view.step = loc["Input.Step3"];
        if (state.result) {
            if (state.result->deductionCount() == 0) {
                view.noMissing = loc["Input.NoMissing"];
            } else {
                view.missing = keyList(loc["Input.Missing"], state.result->missingKeys);
                view.doublePressed = keyList(loc["Input.DoublePressed"], state.result->doublePressedKeys);
            }
        }
        view.touchpadTitle = loc["Input.Touchpad"];
        view.touchpadSeen = loc.f("Input.TrackpadSeen", state.touchpadSignals());
        // The touchpad is shown, not scored: the verdict waits only for a key of the sweep.
        view.verdict = StationFramePresenter::verdict(state.tracker.pressedKeyCount() > 0, loc);
        break;
    }
    return view;
}

} // namespace zantiva::InputStationPresenter
