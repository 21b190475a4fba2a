#pragma once

#include <QTimer>
#include <memory>

#include "Model/TestModule.h"

class QAudioSink;

namespace zantiva {

class ToneSource;

// Plays the speaker check's test tone (ToneSource) on the default sound output, pulled by a
// QAudioSink, and ends it 0.1 s after its nominal end. Main thread only.
class TonePlayer {
public:
    // The longest tone it plays.
    static constexpr double longestSeconds = 60;

    TonePlayer();
    ~TonePlayer();

    // Stops any tone and starts one of that length on that channel; true when it sounds. A
    // length that is not a number, negative or over a minute plays nothing and is false.
    bool play(AudioChannel channel, double seconds);
    void stop();

    bool isPlaying() const { return sink_ != nullptr; }

private:
    std::unique_ptr<ToneSource> source_;
    std::unique_ptr<QAudioSink> sink_;
    QTimer stopTimer_;
};

} // namespace zantiva
