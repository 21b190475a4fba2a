#include "WasherWindow/WasherPatternSurface.h"

#include <QDateTime>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cmath>

namespace zantiva {
namespace {

QColor qColor(const WasherColor& color) { return QColor::fromRgbF(color.red, color.green, color.blue); }

} // namespace

WasherPatternSurface::WasherPatternSurface(QWidget* parent)
    : QWidget(parent), noise_(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()) * 1000) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WasherPatternSurface::show(const ScreenWasherEngine& engine) {
    engine_ = engine;
    update();
}

void WasherPatternSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    switch (engine_.pattern()) {
    case ScreenWasherPattern::noise: paintNoise(painter); break;
    case ScreenWasherPattern::colorCycle: painter.fillRect(rect(), qColor(engine_.cycleColor())); break;
    case ScreenWasherPattern::gradientSweep: paintGradient(painter); break;
    case ScreenWasherPattern::uniformitySlides: painter.fillRect(rect(), qColor(engine_.slide().color)); break;
    }
}

void WasherPatternSurface::paintNoise(QPainter& painter) {
    const qreal ratio = devicePixelRatioF();
    const int deviceWidth = static_cast<int>(width() * ratio), deviceHeight = static_cast<int>(height() * ratio);
    noise_.resize(deviceWidth, deviceHeight);
    noise_.fill(engine_.usesColorNoise());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const auto draw = [&](const std::uint32_t* pixels, int w, int h, const QRectF& target) {
        painter.drawImage(target, QImage(reinterpret_cast<const uchar*>(pixels), w, h, w * 4, QImage::Format_RGB32));
    };
    if (noise_.width() == deviceWidth && noise_.height() == deviceHeight)
        return draw(noise_.pixels().data(), deviceWidth, deviceHeight, QRectF(rect()));
    // A larger screen: our stretch takes about half the work of the painter's own scaled draw.
    stretch_.stretch(noise_, deviceWidth, deviceHeight, [&](const std::uint32_t* pixels, int top, int rows) {
        draw(pixels, deviceWidth, rows, QRectF(0, top / ratio, width(), rows / ratio));
    });
}

void WasherPatternSurface::paintGradient(QPainter& painter) const {
    // Twice the width, black-white-black-white-black, shifted so that its right half fills the
    // screen at offset 0; the same way round in either language.
    const qreal w = width();
    const double position = engine_.gradientReversed() ? 1 - engine_.gradientOffset() : engine_.gradientOffset();
    const qreal left = position * w - w;
    QLinearGradient band(left, 0, left + 2 * w, 0);
    for (int stop = 0; stop <= 4; ++stop) band.setColorAt(stop / 4.0, stop % 2 ? Qt::white : Qt::black);
    painter.fillRect(rect(), band);
}

} // namespace zantiva
