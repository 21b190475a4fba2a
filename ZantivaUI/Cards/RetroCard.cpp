#include "Cards/RetroCard.h"

#include <QEvent>
#include <QPainter>

#include "Theme/Metric.h"
#include "Theme/Palette.h"
#include "Theme/SurfaceLayout.h"
#include "Typography/TextRole.h"

namespace zantiva {

RetroCard::Style RetroCard::Style::standard() {
    return {Theme::Metric::cardPadding, color(PaletteColor::card), color(PaletteColor::outline),
            Theme::Metric::cardShadow, false};
}

RetroCard::RetroCard(QWidget* parent) : RetroCard(Style::standard(), parent) {}

RetroCard::RetroCard(const Style& style, QWidget* parent)
    : QWidget(parent), style_(style), surface_(this, surfaceStyle()) {
    const int padding = qRound(style_.padding);
    layout_ = new SurfaceLayout(this, surface_, QMargins(padding, padding, padding, padding));
    setForeground(*this, color(PaletteColor::text));
}

void RetroCard::setContent(QWidget* content) { layout_->setContent(content); }

void RetroCard::setContent(QLayout* content) { layout_->setContent(content); }

SurfaceStyle RetroCard::surfaceStyle() const {
    return {
        .fill = style_.background,
        .radius = Theme::Metric::cardRadius,
        .shadow = style_.shadowOffset,
        .lift = hovered_ ? Theme::Metric::hoverLift : 0,
        .pressed = false,
        .shadowColor = style_.shadowColor,
        .borderColor = color(PaletteColor::outline),
    };
}

bool RetroCard::event(QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        hovered_ = style_.isInteractive && event->type() == QEvent::Enter;
        surface_.setStyle(surfaceStyle());
    }
    return QWidget::event(event);
}

void RetroCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    surface_.paint(painter, rect());
}

} // namespace zantiva
