#include "Stations/CameraPreview.h"

#include <QPainter>

#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"

namespace zantiva {

CameraPreview::CameraPreview(QWidget* parent) : QWidget(parent) { setFixedSize(frameSize); }

void CameraPreview::setFrame(QImage frame) {
    frame_ = std::move(frame);
    update();
}

void CameraPreview::paintEvent(QPaintEvent*) {
    const QRectF bounds = rect();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipPath(roundedShape(bounds, cornerRadius));
    painter.fillRect(bounds, Qt::black);
    if (!frame_.isNull()) {
        // Scaled to cover the whole frame, centred, the overhang cut off.
        QRectF target(QPointF(), QSizeF(frame_.size()).scaled(bounds.size(), Qt::KeepAspectRatioByExpanding));
        target.moveCenter(bounds.center());
        painter.drawImage(target, frame_);
    }
    painter.setClipping(false);
    strokeInside(painter, bounds, cornerRadius, color(PaletteColor::outline));
}

} // namespace zantiva
