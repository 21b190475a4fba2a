#include "Stations/InputTouchpadArea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "Theme/Metric.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"

namespace zantiva {
namespace {

constexpr int areaHeight = 150;
constexpr qreal areaRadius = Theme::Metric::badgeRadius;

} // namespace

InputTouchpadArea::InputTouchpadArea(QWidget* parent)
    : QWidget(parent), text_(new ProseLabel(TextRole::subHeader, color(PaletteColor::text))) {
    setFixedHeight(areaHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
    // The pointer over the text is over the area.
    text_->setAttribute(Qt::WA_TransparentForMouseEvents);
    text_->setAlignment(Qt::AlignCenter);
    auto* column = new QVBoxLayout(this);
    column->addWidget(text_, 0, Qt::AlignCenter);
}

void InputTouchpadArea::setText(const QString& text) { text_->setProse(text); }

void InputTouchpadArea::mouseMoveEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) emit moved();
}

void InputTouchpadArea::mousePressEvent(QMouseEvent* event) { event->accept(); }

void InputTouchpadArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void InputTouchpadArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintOutlinedShape(painter, QRectF(rect()), areaRadius, color(PaletteColor::muted), color(PaletteColor::outline));
}

} // namespace zantiva
