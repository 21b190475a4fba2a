#include "Charts/ZantivaLogo.h"

#include <QPainter>
#include <cmath>

#include "Assets/LogoPicture.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"

namespace zantiva {

namespace {

const QString productName = QStringLiteral("Zantiva");

} // namespace

ZantivaLogo::ZantivaLogo(qreal height, QWidget* parent) : ZantivaLogo(height, logoPicture(), parent) {}

ZantivaLogo::ZantivaLogo(qreal height, const QImage& picture, QWidget* parent)
    : QWidget(parent), height_(height), picture_(picture) {
    setAccessibleName(productName);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QFont ZantivaLogo::nameFont() const { return vazirFont(VazirWeight::black, height_ * 0.7); }

QSize ZantivaLogo::sizeHint() const {
    const int height = static_cast<int>(std::ceil(height_));
    if (showsPicture())
        return {static_cast<int>(std::ceil(height_ * picture_.width() / std::max(1, picture_.height()))), height};
    return {QFontMetrics(nameFont()).horizontalAdvance(productName), height};
}

void ZantivaLogo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (showsPicture()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSizeF fitted = QSizeF(picture_.size()).scaled(size(), Qt::KeepAspectRatio);
        const QRectF target(QPointF((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
        painter.drawImage(target, picture_);
        return;
    }
    painter.setFont(nameFont());
    painter.setPen(color(PaletteColor::primary));
    painter.drawText(rect(), Qt::AlignCenter, productName);
}

} // namespace zantiva
