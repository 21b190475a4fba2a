#include "Stations/AudioStationBinding.h"

#include "LocalizedViews/LocNotifier.h"
#include "Media/DeviceWatch.h"
#include "Runners/TestSuiteRunner.h"
#include "Stations/AudioCheck.h"
#include "Stations/Verdict.h"

namespace zantiva {

void bindAudioStation(AudioStation& page, TestSuiteRunner& runner, LocNotifier& loc) {
    // The page's players are the first of Qt Multimedia that the window makes.
    leaveUnusedProvidersOutOfDeviceWatch();
    auto* check = new AudioCheck(&page);
    MusicTrackSection& music = *page.music();
    const auto refresh = [&page, check, &loc] { page.show(AudioStationPresenter::present(check->state(), loc.loc())); };
    loc.bind(&page, refresh);
    QObject::connect(check, &AudioCheck::changed, &page, refresh);

    QObject::connect(&page, &AudioStation::playToneRequested, check, &AudioCheck::playTone);
    QObject::connect(&page, &AudioStation::heardToggled, check, &AudioCheck::setHeard);
    QObject::connect(&music, &MusicTrackSection::channelChosen, check, &AudioCheck::chooseChannel);
    QObject::connect(&music, &MusicTrackSection::playRequested, check, &AudioCheck::playTrack);
    QObject::connect(&music, &MusicTrackSection::pauseRequested, &check->track(), &TrackPlayer::togglePause);
    QObject::connect(&music, &MusicTrackSection::stopRequested, &check->track(), &TrackPlayer::stop);
    QObject::connect(&music, &MusicTrackSection::seekDragged, check, &AudioCheck::dragSeek);
    QObject::connect(&music, &MusicTrackSection::seekReleased, check, &AudioCheck::releaseSeek);
    QObject::connect(&music, &MusicTrackSection::muteRequested, &check->track(), &TrackPlayer::toggleMute);
    QObject::connect(&music, &MusicTrackSection::volumeChosen, &check->track(), &TrackPlayer::setVolume);
    QObject::connect(page.verdict(), &Verdict::continuePressed, &runner, [check, &runner] {
        check->stopBoth();
        runner.complete(StationOutcome::audio(true));
    });
    QObject::connect(page.verdict(), &Verdict::issuePressed, &runner, [check, &runner] {
        check->stopBoth();
        runner.complete(StationOutcome::audio(false));
    });
}

} // namespace zantiva
