#include "Media/CameraController.h"

#include <QCamera>

#include "Media/CaptureFormat.h"
#include "Media/MediaDevices.h"

namespace zantiva {

CameraController::CameraController(QObject* parent) : QObject(parent), delivery_(sink_) {
    session_.setVideoOutput(&sink_);
    connect(&delivery_, &CameraDelivery::failed, this, &CameraController::fail);
}

CameraController::~CameraController() { session_.setCamera(nullptr); }

void CameraController::start(std::function<void()> onFailure) {
    if (camera_) return;
    onFailure_ = std::move(onFailure);
    delivery_.watch();
    // Failures are reported from the event loop, never from inside start() or a camera call:
    // the caller has not finished setting up, and stopping a camera inside its own call is not
    // safe. A watch ended by stop() meanwhile fails nothing.
    const auto failLater = [this] { QMetaObject::invokeMethod(&delivery_, &CameraDelivery::reportError, Qt::QueuedConnection); };
    const QList<QCameraDevice> cameras = MediaDevices::cameras();
    if (cameras.isEmpty()) {
        failLater();
        return;
    }
    camera_ = std::make_unique<QCamera>(cameras.first());
    camera_->setCameraFormat(previewCaptureFormat(cameras.first()));
    connect(camera_.get(), &QCamera::errorOccurred, this, [failLater](QCamera::Error error) {
        if (error != QCamera::NoError) failLater();
    });
    session_.setCamera(camera_.get());
    camera_->start();
}

void CameraController::stop() {
    delivery_.end();
    onFailure_ = nullptr;
    if (!camera_) return;
    camera_->stop();
    session_.setCamera(nullptr);
    camera_.reset();
}

void CameraController::fail() {
    std::function<void()> failure = std::move(onFailure_);
    stop();
    if (failure) failure();
}

} // namespace zantiva
