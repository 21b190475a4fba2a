#include "Washer/WasherPatternSurface.h"

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
    noise_.resize(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
    noise_.fill(engine_.usesColorNoise());
    const QImage field(reinterpret_cast<const uchar*>(noise_.pixels().data()), noise_.width(), noise_.height(),
                       noise_.width() * 4, QImage::Format_RGB32);
    // Each noise pixel stays a hard-edged block on a screen larger than the field.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(rect()), field);
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
