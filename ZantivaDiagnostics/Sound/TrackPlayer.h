#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "Model/TestModule.h"

class QAudioSink;

namespace zantiva {

class TrackStream;

// Plays the speaker check's music track once through a QAudioSink on the default output: on
// the left, the right or both speakers (the other side's gain goes to 0), with pause, seek,
// volume and mute. Unless the user has chosen a level, each play fades in from half to full
// volume over its fade (6 s unless told otherwise). Position and fade are updated ten times a
// second. Main thread only.
class TrackPlayer : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultFade{6000};

    // The track in the resource bundle: "Audio/speaker-test-track.wav", when it is there.
    static std::optional<QString> trackPath();

    explicit TrackPlayer(std::optional<QString> track = trackPath(), std::chrono::milliseconds fade = defaultFade,
                         QObject* parent = nullptr);
    ~TrackPlayer() override;

    bool isLoaded() const { return state_.isLoaded; }
    bool isPaused() const { return state_.isPaused; }
    double position() const { return state_.position; } // seconds, never above duration
    double duration() const { return state_.duration; } // seconds; kept after a stop
    float volume() const { return state_.volume; }      // 0 … 1, applied unless muted
    bool isMuted() const { return state_.isMuted; }
    AudioChannel channel() const { return state_.channel; }

    // Stops whatever plays and plays the track from its start on that channel; true when it plays.
    bool play(AudioChannel channel);
    // Ends playback and unloads the track.
    void stop();
    void togglePause();
    // Goes on from that time (clamped to the track; not a number counts as 0); at the end it stops.
    void seek(double seconds);
    // The level by hand, clamped to 0 … 1 (not a number counts as 0); it ends the fade and unmutes.
    void setVolume(float volume);
    // The level reached so far becomes the level by hand.
    void toggleMute();
    // Moves the sound at once, also while playing.
    void setChannel(AudioChannel channel);

signals:
    // Any of the values above took a new value.
    void changed();

private:
    struct Observed {
        bool isLoaded = false;
        bool isPaused = false;
        double position = 0;
        double duration = 0;
        float volume = 0.5f;
        bool isMuted = false;
        AudioChannel channel = AudioChannel::both;

        bool operator==(const Observed&) const = default;
    };

    bool start(AudioChannel channel);
    void unload();
    bool schedule(std::int64_t frame);
    void tick();
    void applyGains();
    void publish(const Observed& before);

    std::optional<QString> track_;
    std::chrono::milliseconds fade_;
    Observed state_;
    std::unique_ptr<TrackStream> stream_;
    std::unique_ptr<QAudioSink> sink_;
    std::int64_t segmentStart_ = 0;
    // Makes the end of a segment that a seek or a stop replaced harmless.
    int generation_ = 0;
    std::optional<float> manualVolume_;
    std::optional<std::chrono::steady_clock::time_point> rampStart_;
    QTimer ticker_;
};

} // namespace zantiva
