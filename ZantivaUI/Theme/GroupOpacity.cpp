#include "Theme/GroupOpacity.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace zantiva {

void paintWithOpacity(QPainter& painter, const QWidget& widget, qreal opacity,
                      const std::function<void(QPainter&)>& paint) {
    if (opacity >= 1) {
        paint(painter);
        return;
    }
    const qreal ratio = widget.devicePixelRatioF();
    QImage layer(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter layerPainter(&layer);
        layerPainter.setLayoutDirection(widget.layoutDirection());
        layerPainter.setFont(widget.font());
        paint(layerPainter);
    }
    painter.save();
    painter.setOpacity(painter.opacity() * opacity);
    painter.drawImage(QPointF(0, 0), layer);
    painter.restore();
}

} // namespace zantiva
