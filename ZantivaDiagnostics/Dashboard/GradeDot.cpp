#include "Dashboard/GradeDot.h"

#include <QPainter>

#include "Theme/Metric.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"

namespace zantiva {

GradeDot::GradeDot(QWidget* parent) : QAbstractButton(parent) {
    setFixedSize(side, side);
    setLayoutDirection(Qt::LeftToRight);
}

void GradeDot::show(const GradeDotView& view) {
    view_ = view;
    setToolTip(QString::fromStdString(view.tooltip));
    setAccessibleName(QString::fromStdString(view.letter));
    update();
}

bool GradeDot::hitButton(const QPoint& position) const {
    const QPointF offset = QPointF(position) + QPointF(0.5, 0.5) - QRectF(rect()).center();
    const qreal radius = side / 2.0;
    return offset.x() * offset.x() + offset.y() * offset.y() <= radius * radius;
}

void GradeDot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal border = Theme::Metric::borderWidth;
    painter.setPen(Qt::NoPen);
    painter.setBrush(color(view_.fill));
    painter.drawEllipse(QRectF(rect()));
    // The outline lies inside the disc's edge.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color(PaletteColor::outline), border));
    painter.drawEllipse(QRectF(rect()).adjusted(border / 2, border / 2, -border / 2, -border / 2));
    painter.setFont(vazirFont(VazirWeight::black, 24));
    painter.setPen(color(PaletteColor::onPrimary));
    painter.drawText(rect(), Qt::AlignCenter, QString::fromStdString(view_.letter));
}

} // namespace zantiva
