#pragma once

#include <array>
#include <optional>
#include <string>

#include "Model/TestModule.h"
#include "Presenters/StationFramePresenter.h"

namespace zantiva {

class Loc;

// What the music player reports.
struct AudioTrackState {
    bool isLoaded = false;
    bool isPaused = false;
    double position = 0; // seconds
    double duration = 0; // seconds
    float volume = 0.5f; // 0 … 1
    bool isMuted = false;
};

// The speaker page's own state with its track player's.
struct AudioStationState {
    bool heardLeft = false;
    bool heardRight = false;
    bool toneFailed = false;                     // the last tone could not play
    AudioChannel selected = AudioChannel::both;  // the track's speaker
    bool trackUnavailable = false;               // the last attempt to play the track failed
    std::optional<double> seeking;               // the seek slider while it is dragged
    AudioTrackState track;
};

// One channel's column: its title, the tone button and the box the user ticks.
struct AudioChannelColumn {
    std::string title;
    std::string playTone;
    std::string heard;
    bool isHeard = false;

    bool operator==(const AudioChannelColumn&) const = default;
};

struct AudioChannelChoice {
    std::string label;
    AudioChannel channel = AudioChannel::both;
    bool isSelected = false;

    bool operator==(const AudioChannelChoice&) const = default;
};

// The music card. The time row shows only while a track is loaded.
struct AudioTrackView {
    std::string title;
    std::string note;
    std::array<AudioChannelChoice, 3> choices; // left, both, right: left to right in both languages
    bool isLoaded = false;
    std::string pause;                         // "Pause" or "Resume"
    std::string stop;
    std::string play;
    std::optional<std::string> unavailable;
    std::string elapsed;                       // the dragged point while seeking
    std::string total;
    double seekMaximum = 1;                    // at least 1 s
    double seekValue = 0;
    std::string muteSymbol;                    // 🔇 while muted, else 🔊
    std::string muteTip;
    int volumePercent = 50;                    // the volume slider, 0 … 100
    std::string level;                         // "0%" while muted

    bool operator==(const AudioTrackView&) const = default;
};

struct AudioStationView {
    std::string instruction;
    std::optional<std::string> toneFailed;
    AudioChannelColumn left;
    AudioChannelColumn right;
    AudioTrackView track;
    VerdictView verdict; // Continue once both sides are confirmed

    bool operator==(const AudioStationView&) const = default;
};

namespace AudioStationPresenter {

// The length of the track a tone button plays.
inline constexpr double toneSeconds = 1.6;

AudioStationView present(const AudioStationState& state, const Loc& loc);

// Whole minutes and two-digit seconds ("0:07", "12:00"); under 0 or not a number reads 0:00.
std::string timeLabel(double seconds);

} // namespace AudioStationPresenter
} // namespace zantiva
