#include "Media/CameraDelivery.h"

#include <QVideoFrame>
#include <QVideoSink>

namespace zantiva {

CameraDelivery::CameraDelivery(QVideoSink& sink, std::chrono::milliseconds limit, QObject* parent) : QObject(parent) {
    firstFrame_.setSingleShot(true);
    firstFrame_.setInterval(limit);
    connect(&firstFrame_, &QTimer::timeout, this, &CameraDelivery::fail);
    connect(&sink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        if (!watching_ || !frame.isValid()) return;
        delivering_ = true;
        firstFrame_.stop();
    });
}

void CameraDelivery::watch() {
    watching_ = true;
    delivering_ = false;
    firstFrame_.start();
}

void CameraDelivery::reportError() {
    if (watching_) fail();
}

void CameraDelivery::end() {
    watching_ = false;
    delivering_ = false;
    firstFrame_.stop();
}

void CameraDelivery::fail() {
    end();
    emit failed();
}

} // namespace zantiva
