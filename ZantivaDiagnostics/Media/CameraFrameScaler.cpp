#include "Media/CameraFrameScaler.h"

namespace zantiva {

CameraFrameScaler::CameraFrameScaler(QSize target, QObject* parent) : QObject(parent), target_(target) {
    thread_.setMaxThreadCount(1);
}

CameraFrameScaler::~CameraFrameScaler() {
    // The camera's thread may still push until the connection goes with the QObject: from
    // now on nothing is taken. A conversion under way finishes; one waiting is dropped.
    {
        const std::lock_guard hold(lock_);
        closed_ = true;
    }
    thread_.clear();
    thread_.waitForDone();
}

void CameraFrameScaler::push(const QVideoFrame& frame) {
    if (!frame.isValid()) return;
    const std::lock_guard hold(lock_);
    if (closed_) return;
    waiting_ = frame;
    if (scheduled_) return;
    scheduled_ = true;
    thread_.start([this] { convertWaiting(); });
}

void CameraFrameScaler::convertWaiting() {
    QVideoFrame frame;
    {
        const std::lock_guard hold(lock_);
        scheduled_ = false;
        if (!waiting_) return;
        frame = std::move(*waiting_);
        waiting_.reset();
    }
    const QImage picture = fitted(frame.toImage(), target_);
    if (!picture.isNull()) emit pictureReady(picture);
}

QImage CameraFrameScaler::fitted(const QImage& image, QSize target) {
    if (image.isNull() || target.isEmpty()) return {};
    const QImage covering = image.scaled(target, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return covering.copy((covering.width() - target.width()) / 2, (covering.height() - target.height()) / 2,
                         target.width(), target.height());
}

} // namespace zantiva
