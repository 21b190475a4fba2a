#include "Charts/ZantivaLogo.h"

#include <QImageReader>
#include <QPainter>
#include <cmath>

#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/ResourceBundle.h"

namespace zantiva {

namespace {

const QString productName = QStringLiteral("Zantiva");

} // namespace

const QImage& ZantivaLogo::picture() {
    static const QImage loaded = [] {
        const auto path = ResourceBundle::resource("Images", "zantiva-logo", "png");
        if (!path) return QImage();
        // Read as the PNG it is: guessing the format would load every image-format plugin first.
        QImageReader reader(*path, "png");
        reader.setAutoDetectImageFormat(false);
        return reader.read();
    }();
    return loaded;
}

ZantivaLogo::ZantivaLogo(qreal height, QWidget* parent) : ZantivaLogo(height, picture(), parent) {}

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
