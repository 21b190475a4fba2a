#pragma once

#include <variant>

#include "Model/DisplayTestResult.h"
#include "Model/KeyboardTestResult.h"
#include "Model/TestModule.h"

namespace zantiva {

// What an interactive station page reports to the suite runner when its check ends.
struct StationOutcome {
    struct Display {
        DisplayTestResult result;
        bool operator==(const Display&) const = default;
    };
    struct Audio {
        bool passed = false;
        bool operator==(const Audio&) const = default;
    };
    struct MicCamera {
        bool passed = false;
        bool cameraBypassed = false;
        bool operator==(const MicCamera&) const = default;
    };
    struct Input {
        KeyboardTestResult result;
        bool passed = false;
        bool operator==(const Input&) const = default;
    };
    struct Bypassed {
        bool operator==(const Bypassed&) const = default;
    };
    struct Skipped {
        bool operator==(const Skipped&) const = default;
    };

    std::variant<Display, Audio, MicCamera, Input, Bypassed, Skipped> value;

    static StationOutcome display(DisplayTestResult result) { return {Display{std::move(result)}}; }
    static StationOutcome audio(bool passed) { return {Audio{passed}}; }
    static StationOutcome micCamera(bool passed, bool cameraBypassed) { return {MicCamera{passed, cameraBypassed}}; }
    static StationOutcome input(KeyboardTestResult result, bool passed) { return {Input{std::move(result), passed}}; }
    static StationOutcome bypassed() { return {Bypassed{}}; }
    static StationOutcome skipped() { return {Skipped{}}; }

    // Whether it is an outcome that the module's station reports: display or skipped for
    // the display, audio for the speaker, micCamera or bypassed for the microphone and
    // camera, input for the keyboard; never one for an automatic module.
    bool fits(TestModule module) const;

    bool operator==(const StationOutcome&) const = default;
};

} // namespace zantiva
