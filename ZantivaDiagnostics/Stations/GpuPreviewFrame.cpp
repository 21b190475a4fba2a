#include "Stations/GpuPreviewFrame.h"

#include <QPainter>
#include <QPainterPath>

#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"

namespace zantiva {
namespace {

constexpr qreal cornerRadius = 10;
constexpr int smallestWidth = 120;

} // namespace

QImage previewImage(const GpuPreviewImage& preview) {
    if (preview.width <= 0 || preview.height <= 0) return {};
    const auto rowBytes = static_cast<qsizetype>(preview.width) * 4;
    if (preview.rgba.size() != static_cast<std::size_t>(rowBytes * preview.height)) return {};
    // A view of the engine's buffer, copied so that the image owns its pixels.
    return QImage(preview.rgba.data(), preview.width, preview.height, rowBytes, QImage::Format_RGBA8888).copy();
}

GpuPreviewFrame::GpuPreviewFrame(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMaximumWidth(maximumWidth);
}

void GpuPreviewFrame::setImage(QImage image) {
    image_ = std::move(image);
    updateGeometry();
    update();
}

int GpuPreviewFrame::heightForWidth(int width) const {
    if (image_.isNull()) return 0;
    return qRound(static_cast<qreal>(width) * image_.height() / image_.width());
}

QSize GpuPreviewFrame::sizeHint() const { return {maximumWidth, heightForWidth(maximumWidth)}; }

QSize GpuPreviewFrame::minimumSizeHint() const { return {smallestWidth, heightForWidth(smallestWidth)}; }

void GpuPreviewFrame::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    // The image fitted into the frame, its aspect kept, at the frame's leading top corner.
    const QSizeF fitted = QSizeF(image_.size()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    QRectF target(QPointF(0, 0), fitted);
    if (layoutDirection() == Qt::RightToLeft) target.moveRight(width());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipPath(roundedShape(target, cornerRadius));
    painter.drawImage(target, image_);
    painter.setClipping(false);
    strokeInside(painter, target, cornerRadius, color(PaletteColor::outline));
}

} // namespace zantiva
