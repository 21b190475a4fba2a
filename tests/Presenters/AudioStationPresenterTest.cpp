// The speaker page's presenter: when Continue opens, what the music card shows in each state
// of the player, and the time labels.

#include <gtest/gtest.h>

#include <cmath>

#include "Localization/Loc.h"
#include "Presenters/AudioStationPresenter.h"

using namespace zantiva;

namespace {

const Loc english(AppLanguage::english);

} // namespace

TEST(AudioStationPresenter, ContinueOpensOnlyWithBothSidesConfirmed) {
    for (const auto& [left, right] : {std::pair{false, false}, {true, false}, {false, true}, {true, true}}) {
        const AudioStationView view = AudioStationPresenter::present({.heardLeft = left, .heardRight = right}, english);
        EXPECT_EQ(view.verdict.canContinue, left && right);
        EXPECT_EQ(view.left.isHeard, left);
        EXPECT_EQ(view.right.isHeard, right);
    }
    const AudioStationView fresh = AudioStationPresenter::present({}, english);
    EXPECT_EQ(fresh.left.title, english["Audio.LeftChannel"]);
    EXPECT_EQ(fresh.right.heard, english["Audio.HeardRight"]);
    EXPECT_FALSE(fresh.toneFailed);
    EXPECT_EQ(AudioStationPresenter::present({.toneFailed = true}, english).toneFailed, english["Audio.ToneFailed"]);
}

TEST(AudioStationPresenter, TheMusicCardFollowsThePlayer) {
    const AudioTrackView idle = AudioStationPresenter::present({}, english).track;
    EXPECT_FALSE(idle.isLoaded);
    EXPECT_EQ(idle.choices[0], (AudioChannelChoice{english["Audio.Left"], AudioChannel::left, false}));
    EXPECT_EQ(idle.choices[1], (AudioChannelChoice{english["Audio.Both"], AudioChannel::both, true}));
    EXPECT_EQ(idle.choices[2], (AudioChannelChoice{english["Audio.Right"], AudioChannel::right, false}));
    EXPECT_FALSE(idle.unavailable);
    EXPECT_EQ(idle.seekMaximum, 1) << "never a slider over nothing";
    EXPECT_EQ(idle.level, "50%");
    EXPECT_EQ(idle.muteSymbol, "\U0001F50A");

    AudioStationState playing{.selected = AudioChannel::right,
                              .track = {.isLoaded = true, .isPaused = true, .position = 65.9, .duration = 0.6, .volume = 0.734f}};
    AudioTrackView view = AudioStationPresenter::present(playing, english).track;
    EXPECT_TRUE(view.isLoaded);
    EXPECT_TRUE(view.choices[2].isSelected);
    EXPECT_EQ(view.pause, english["Common.Resume"]);
    EXPECT_EQ(view.elapsed, "1:05");
    EXPECT_EQ(view.seekMaximum, 1);
    EXPECT_EQ(view.volumePercent, 73);
    EXPECT_EQ(view.level, "73%");

    // The dragged point shows until the release; muted reads 0% whatever the level.
    playing.seeking = 7.2;
    playing.track.isMuted = true;
    playing.trackUnavailable = true;
    view = AudioStationPresenter::present(playing, english).track;
    EXPECT_EQ(view.elapsed, "0:07");
    EXPECT_EQ(view.seekValue, 7.2);
    EXPECT_EQ(view.level, "0%");
    EXPECT_EQ(view.muteSymbol, "\U0001F507");
    EXPECT_EQ(view.unavailable, english["Audio.TrackMissing"]);
}

TEST(AudioStationPresenter, TimeLabels) {
    const std::pair<double, const char*> table[] = {{0, "0:00"},      {7, "0:07"},     {65.9, "1:05"},
                                                    {225, "3:45"},    {720, "12:00"},  {-3, "0:00"},
                                                    {std::nan(""), "0:00"}, {HUGE_VAL, "0:00"}};
    for (const auto& [seconds, text] : table) EXPECT_EQ(AudioStationPresenter::timeLabel(seconds), text) << seconds;
}
