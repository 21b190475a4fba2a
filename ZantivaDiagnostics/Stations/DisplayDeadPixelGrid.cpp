#include "Stations/DisplayDeadPixelGrid.h"

#include <QPainter>

namespace zantiva {

DisplayDeadPixelGrid::DisplayDeadPixelGrid(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage DisplayDeadPixelGrid::pattern() const {
    const qreal scale = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * scale).toSize();
    if (pixels.isEmpty()) return {};
    // Drawn pixel by pixel at device resolution: a scaled painter would smear the dots.
    if (pattern_.size() != pixels || pattern_.devicePixelRatio() != scale) {
        pattern_ = QImage(pixels, QImage::Format_RGB32);
        pattern_.fill(Qt::black);
        const QRgb white = qRgb(255, 255, 255);
        for (int y = 0; y < pixels.height(); y += pitch) {
            auto* line = reinterpret_cast<QRgb*>(pattern_.scanLine(y));
            for (int x = 0; x < pixels.width(); x += pitch) line[x] = white;
        }
        pattern_.setDevicePixelRatio(scale);
    }
    return pattern_;
}

void DisplayDeadPixelGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage image = pattern();
    if (image.isNull()) return;
    painter.drawImage(QPointF(0, 0), image);
}

} // namespace zantiva
