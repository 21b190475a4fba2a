#include "Presenters/AudioStationPresenter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Localization/CompositeFormat.h"
#include "Localization/Loc.h"

namespace zantiva::AudioStationPresenter {

namespace {

AudioChannelColumn column(const Loc& loc, const char* title, const char* heard, bool isHeard) {
    return {loc[title], loc["Audio.PlayTone"], loc[heard], isHeard};
}

AudioTrackView track(const AudioStationState& state, const Loc& loc) {
    const AudioTrackState& player = state.track;
    AudioTrackView view{
        .title = loc["Audio.MusicTrack"],
        .note = loc["Audio.MusicNote"],
        .isLoaded = player.isLoaded,
        .pause = loc[player.isPaused ? "Common.Resume" : "Common.Pause"],
        .stop = loc["Common.Stop"],
        .play = loc["Audio.PlayTrack"],
        .elapsed = timeLabel(state.seeking.value_or(player.position)),
        .total = timeLabel(player.duration),
        .seekMaximum = std::max(player.duration, 1.0),
        .seekValue = state.seeking.value_or(player.position),
        .muteSymbol = player.isMuted ? "\U0001F507" : "\U0001F50A",
        .muteTip = loc["Audio.MuteTip"],
        .volumePercent = static_cast<int>(std::lround(player.volume * 100)),
        .level = CompositeFormat::format("{0:0}%", {player.isMuted ? 0.0 : player.volume * 100.0}),
    };
    const std::pair<const char*, AudioChannel> choices[] = {
        {"Audio.Left", AudioChannel::left}, {"Audio.Both", AudioChannel::both}, {"Audio.Right", AudioChannel::right}};
    for (std::size_t i = 0; i < view.choices.size(); ++i)
        view.choices[i] = {loc[choices[i].first], choices[i].second, choices[i].second == state.selected};
    if (state.trackUnavailable) view.unavailable = loc["Audio.TrackMissing"];
    return view;
}

} // namespace

AudioStationView present(const AudioStationState& state, const Loc& loc) {
    AudioStationView view{
        .instruction = loc["Audio.Instruction"],
        .left = column(loc, "Audio.LeftChannel", "Audio.HeardLeft", state.heardLeft),
        .right = column(loc, "Audio.RightChannel", "Audio.HeardRight", state.heardRight),
        .track = track(state, loc),
        .verdict = StationFramePresenter::verdict(state.heardLeft && state.heardRight, loc),
    };
    if (state.toneFailed) view.toneFailed = loc["Audio.ToneFailed"];
    return view;
}

std::string timeLabel(double seconds) {
    const double whole = std::isfinite(seconds) ? std::max(std::trunc(seconds), 0.0) : 0.0;
    const auto s = static_cast<long long>(std::min(whole, 1e15));
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
    return text;
}

} // namespace zantiva::AudioStationPresenter
