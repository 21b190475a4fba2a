#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QThreadPool>
#include <memory>
#include <optional>

class QAudioSource;
class QIODevice;

namespace zantiva {

// Listens to the default audio input and publishes the loudness and the pitch of each block
// of exactly blockFrames frames (AudioAnalysis). The blocks are analysed one after another on
// a worker thread; the results are published here, on the main thread, and only those of the
// current listening: a block still in analysis when stop() runs is dropped. Each getter's
// signal fires only on a real change. Main thread only.
class MicrophoneMonitor : public QObject {
    Q_OBJECT

public:
    static constexpr int blockFrames = 4096;

    explicit MicrophoneMonitor(QObject* parent = nullptr);
    // Waits for a block in analysis; publishes nothing.
    ~MicrophoneMonitor() override;

    // Loudness of the latest block, 0 ... 1.
    double level() const { return level_; }
    // Pitch of the latest block in Hz; absent when it has none.
    const std::optional<double>& pitchHz() const { return pitchHz_; }
    bool isRunning() const { return source_ != nullptr; }

    // Starts listening; true when listening, also when it already was. False when there is
    // no input, its format is unusable, or it does not open; nothing is left half started.
    bool start();
    // Stops listening; level back to 0, pitch absent. Safe when not listening.
    void stop();

signals:
    void levelChanged();
    void pitchHzChanged();
    void isRunningChanged();

private:
    void readInput();
    void analyse(QByteArray block);
    void publish(quint64 listening, double level, std::optional<double> pitchHz);

    std::unique_ptr<QAudioSource> source_;
    QIODevice* input_ = nullptr;
    QAudioFormat format_;
    QByteArray unread_;
    quint64 listening_ = 0; // counts the starts, so a late result of an earlier one is known
    double level_ = 0;
    std::optional<double> pitchHz_;
    QThreadPool analysis_;
};

} // namespace zantiva
