#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

class QVideoSink;

namespace zantiva {

// Whether a started camera delivers its picture into the sink. A camera that opens but never
// sends a frame would otherwise show an empty preview that looks like a working check, so a
// watch that sees no frame within the limit, or an error the camera reports, fails, once.
// Main thread only.
class CameraDelivery : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds firstFrameLimit{5000};

    explicit CameraDelivery(QVideoSink& sink, std::chrono::milliseconds limit = firstFrameLimit,
                            QObject* parent = nullptr);

    // Starts a watch: from now on the first frame must come within the limit.
    void watch();
    // The camera's own error fails the watch under way.
    void reportError();
    // Ends the watch (the camera stopped): nothing fails any more.
    void end();

    bool isWatching() const { return watching_; }
    // Whether a frame came in during this watch.
    bool isDelivering() const { return delivering_; }

signals:
    void failed();

private:
    void fail();

    QTimer firstFrame_;
    bool watching_ = false;
    bool delivering_ = false;
};

} // namespace zantiva
