#pragma once

#include "Controls/RetroButton.h"
#include "Controls/RetroTextField.h"
#include "Model/EvdevKeyMap.h"
#include "Model/MacKeyboardLayout.h"
#include "Stations/InputStation.h"
#include "Stations/Verdict.h"
#include "Support/SyntheticKeys.h"

namespace zantiva::testing {

// Answers the keyboard check as a user would: types, presses every key that counts once on
// the physical keyboard, ends the sweep and continues.
inline void answerInputCheck(InputStation& page) {
    page.typingField()->setText("The quick brown fox jumps");
    page.nextButton()->click();
    for (quint32 evdev = 0; evdev < 768; ++evdev) {
        const auto code = macKeyCodeForEvdev(evdev);
        if (code && MacKeyboardLayout::byCode().at(*code).isScored) tapKey(&page, evdev);
    }
    page.finishButton()->click();
    page.verdict()->continueButton()->click();
}

} // namespace zantiva::testing
