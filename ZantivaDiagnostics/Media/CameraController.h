#pragma once

#include <QMediaCaptureSession>
#include <QObject>
#include <QVideoSink>
#include <functional>
#include <memory>

#include "Media/CameraDelivery.h"

class QCamera;

namespace zantiva {

// The capture of the camera check's live picture: the first camera, in its format nearest to
// 1280 x 720, into a capture session whose frames reach videoSink(). Nothing is recorded or
// stored. Qt's camera runs its own
// work off the main thread; this object is used from the main thread only.
class CameraController : public QObject {
    Q_OBJECT

public:
    explicit CameraController(QObject* parent = nullptr);
    ~CameraController() override;

    // Starts the first camera unless one runs. onFailure runs once on the main thread, never
    // inside this call, when there is no camera, the camera reports an error, or no frame comes
    // within the limit; the camera is then stopped.
    void start(std::function<void()> onFailure);
    // Stops the camera and releases it; a later start opens it afresh. Safe when not started.
    void stop();

    bool isRunning() const { return camera_ != nullptr; }
    QVideoSink& videoSink() { return sink_; }
    CameraDelivery& delivery() { return delivery_; }

private:
    void fail();

    QVideoSink sink_;
    QMediaCaptureSession session_;
    CameraDelivery delivery_;
    std::unique_ptr<QCamera> camera_;
    std::function<void()> onFailure_;
};

} // namespace zantiva
