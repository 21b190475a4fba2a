// The speaker page bound to its own players on the sound server of scripts/with-services:
// the tone and the music never sound together, the controls follow the player, a drag seeks
// once at its release, and the sides keep their places in Persian.

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSlider>

#include "../../App/AppModelFixture.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "LocalizedViews/LocNotifier.h"
#include "Stations/AudioStationBinding.h"
#include "Stations/Verdict.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"

namespace zantiva::testing {
namespace {

using namespace std::chrono_literals;

class AudioStationTest : public AppModelFixture {
protected:
    void SetUp() override {
        ASSERT_FALSE(QMediaDevices::defaultAudioOutput().isNull()) << "run under scripts/with-services";
        makeModel(setup());
        page.setLayoutDirection(notifier.layoutDirection());
        page.resize(1100, 800);
        bindAudioStation(page, model->suite(), notifier);
        page.show();
    }
    MusicTrackSection& music() { return *page.music(); }

    LocNotifier notifier{loc};
    AudioStation page;
};

TEST_F(AudioStationTest, ToneAndMusicCutEachOtherAndTheControlsFollowThePlayer) {
    page.playToneButton(AudioChannel::left)->click();
    EXPECT_TRUE(page.toneFailed()->isHidden()) << "the tone plays";

    music().choiceButton(AudioChannel::right)->click();
    EXPECT_EQ(music().choiceButton(AudioChannel::right)->kind(), RetroButtonKind::primary);
    EXPECT_EQ(music().choiceButton(AudioChannel::both)->kind(), RetroButtonKind::outline);
    music().playButton()->click();
    EXPECT_TRUE(music().unavailable()->isHidden());
    EXPECT_TRUE(music().playButton()->isHidden());
    EXPECT_FALSE(music().pauseButton()->isHidden());
    EXPECT_FALSE(music().timeRow()->isHidden());
    EXPECT_EQ(music().total()->text(), "0:40");
    EXPECT_EQ(music().pauseButton()->text().toStdString(), loc["Common.Pause"]);
    music().pauseButton()->click();
    EXPECT_EQ(music().pauseButton()->text().toStdString(), loc["Common.Resume"]);

    // A drag shows its point and seeks only when let go.
    QSlider& seek = *music().seekSlider();
    seek.setSliderDown(true);
    seek.setSliderPosition(12'500);
    EXPECT_EQ(music().elapsed()->text(), "0:12");
    seek.setSliderPosition(21'000);
    EXPECT_EQ(music().elapsed()->text(), "0:21");
    seek.setSliderDown(false);
    EXPECT_EQ(seek.value(), 21'000);
    EXPECT_EQ(music().elapsed()->text(), "0:21");
    EXPECT_EQ(music().pauseButton()->text().toStdString(), loc["Common.Resume"]) << "still paused at the new point";

    music().muteButton()->click();
    EXPECT_EQ(music().level()->text(), "0%");
    EXPECT_EQ(music().muteButton()->text(), QString::fromUtf8("\U0001F507"));
    music().halfButton()->click();
    EXPECT_EQ(music().level()->text(), "50%");
    music().volumeSlider()->setValue(80);
    EXPECT_EQ(music().level()->text(), "80%");

    // A tone stops the music; the music's Play would stop the tone the same way.
    page.playToneButton(AudioChannel::right)->click();
    EXPECT_FALSE(music().playButton()->isHidden());
    EXPECT_TRUE(music().timeRow()->isHidden());
}

TEST_F(AudioStationTest, ContinueNeedsBothSidesAndTheSidesKeepTheirPlacesInPersian) {
    ASSERT_EQ(loc.language(), AppLanguage::persian);
    page.heardBox(AudioChannel::right)->click();
    EXPECT_FALSE(page.verdict()->continueButton()->isEnabled());
    page.heardBox(AudioChannel::left)->click();
    EXPECT_TRUE(page.verdict()->continueButton()->isEnabled());
    page.heardBox(AudioChannel::right)->click();
    EXPECT_FALSE(page.verdict()->continueButton()->isEnabled());

    const auto x = [this](QWidget* widget) { return widget->mapTo(&page, QPoint()).x(); };
    EXPECT_LT(x(page.column(AudioChannel::left)), x(page.column(AudioChannel::right)));
    EXPECT_EQ(page.column(AudioChannel::left)->layoutDirection(), Qt::RightToLeft);
    EXPECT_LT(x(music().choiceButton(AudioChannel::left)), x(music().choiceButton(AudioChannel::both)));
    EXPECT_LT(x(music().choiceButton(AudioChannel::both)), x(music().choiceButton(AudioChannel::right)));
}

} // namespace
} // namespace zantiva::testing
