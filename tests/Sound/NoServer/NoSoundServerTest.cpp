// Without a sound server each player fails, the page says so, and nothing crashes.

#include <gtest/gtest.h>

#include "../../App/AppModelFixture.h"
#include "Controls/RetroButton.h"
#include "LocalizedViews/LocNotifier.h"
#include "Sound/TonePlayer.h"
#include "Sound/TrackPlayer.h"
#include "Stations/AudioStationBinding.h"
#include "Stations/Verdict.h"
#include "Typography/ProseLabel.h"

namespace zantiva::testing {
namespace {

TEST(NoSoundServer, NeitherPlayerPlays) {
    TonePlayer tone;
    EXPECT_FALSE(tone.play(AudioChannel::left, 1.6));
    EXPECT_FALSE(tone.isPlaying());
    ASSERT_TRUE(TrackPlayer::trackPath()) << "the track is there; only the output is missing";
    TrackPlayer track;
    EXPECT_FALSE(track.play(AudioChannel::both));
    EXPECT_FALSE(track.isLoaded());
    track.togglePause();
    track.seek(3);
    EXPECT_FALSE(track.isLoaded());
}

class NoSoundServerPage : public AppModelFixture {
protected:
    void SetUp() override { makeModel(setup()); }
    LocNotifier notifier{loc};
};

TEST_F(NoSoundServerPage, EachPlayerShowsItsMessageAndTheCheckCanStillBeAnswered) {
    AudioStation page;
    bindAudioStation(page, model->suite(), notifier);
    page.show();
    EXPECT_TRUE(page.toneFailed()->isHidden());
    page.playToneButton(AudioChannel::left)->click();
    EXPECT_FALSE(page.toneFailed()->isHidden());
    EXPECT_EQ(page.toneFailed()->prose().toStdString(), loc["Audio.ToneFailed"]);

    page.music()->playButton()->click();
    EXPECT_FALSE(page.music()->unavailable()->isHidden());
    EXPECT_EQ(page.music()->unavailable()->prose().toStdString(), loc["Audio.TrackMissing"]);
    EXPECT_FALSE(page.music()->playButton()->isHidden()) << "nothing plays, so Play stays";
    EXPECT_TRUE(page.music()->timeRow()->isHidden());
    EXPECT_TRUE(page.verdict()->issueButton()->isEnabled());
}

} // namespace
} // namespace zantiva::testing
