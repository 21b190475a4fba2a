// The speaker check without its page, on the sound server of scripts/with-services: one sound
// at a time, a drag that seeks once at its release, and the sides heard apart.

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QMediaDevices>

#include "Stations/AudioCheck.h"

namespace zantiva {
namespace {

TEST(AudioCheck, OneSoundAtATimeAndADragSeeksOnlyWhenLetGo) {
    ASSERT_FALSE(QMediaDevices::defaultAudioOutput().isNull()) << "run under scripts/with-services";
    AudioCheck check;
    int changes = 0;
    QObject::connect(&check, &AudioCheck::changed, [&] { ++changes; });

    check.chooseChannel(AudioChannel::right);
    check.playTrack();
    ASSERT_FALSE(check.state().trackUnavailable);
    EXPECT_TRUE(check.state().track.isLoaded);
    EXPECT_EQ(check.state().selected, AudioChannel::right);

    check.releaseSeek();
    EXPECT_LT(check.state().track.position, 1) << "a release without a drag moves nothing";
    check.dragSeek(21);
    EXPECT_EQ(check.state().seeking, 21);
    EXPECT_LT(check.state().track.position, 1) << "the drag alone moves nothing";
    check.releaseSeek();
    EXPECT_FALSE(check.state().seeking);
    EXPECT_GE(check.state().track.position, 21);

    check.playTone(AudioChannel::left);
    EXPECT_FALSE(check.state().toneFailed);
    EXPECT_FALSE(check.state().track.isLoaded) << "the tone stops the music";
    EXPECT_GT(changes, 4);
}

TEST(AudioCheck, EachSideIsHeardOnItsOwn) {
    AudioCheck check;
    check.setHeard(AudioChannel::right, true);
    EXPECT_TRUE(check.state().heardRight);
    EXPECT_FALSE(check.state().heardLeft);
    check.setHeard(AudioChannel::left, true);
    check.setHeard(AudioChannel::right, false);
    EXPECT_TRUE(check.state().heardLeft);
    EXPECT_FALSE(check.state().heardRight);
}

} // namespace
} // namespace zantiva
