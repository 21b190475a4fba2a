#include "Layout/ModalOverlay.h"

#include <QGraphicsOpacityEffect>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "Cards/RetroCard.h"
#include "Theme/Motion.h"
#include "Theme/Palette.h"

namespace zantiva {
namespace {

constexpr double backdropOpacity = 0.7;

} // namespace

ModalOverlay::ModalOverlay(QWidget* parent)
    : QWidget(parent), card_(new RetroCard(RetroCard::Style::standard())), opacity_(new QGraphicsOpacityEffect(this)) {
    auto* centre = new QVBoxLayout(this);
    centre->addWidget(card_, 0, Qt::AlignCenter);

    // The effect draws the whole overlay off screen; it is on only while the overlay fades.
    opacity_->setEnabled(false);
    setGraphicsEffect(opacity_);
    Theme::applyMotion(fade_);
    connect(&fade_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { opacity_->setOpacity(value.toReal()); });
    connect(&fade_, &QVariantAnimation::finished, this, [this] {
        opacity_->setEnabled(false);
        if (!shown_) hide();
    });
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

void ModalOverlay::setShown(bool shown) {
    if (shown == shown_) return;
    shown_ = shown;
    setAttribute(Qt::WA_TransparentForMouseEvents, !shown);
    const qreal from = isVisible() ? (opacity_->isEnabled() ? opacity_->opacity() : 1.0) : 0.0;
    fade_.stop();
    opacity_->setOpacity(from);
    opacity_->setEnabled(true);
    if (shown) {
        raise();
        QWidget::show();
        // Keys go to the notice, not to the screen it covers.
        setFocus(Qt::OtherFocusReason);
    }
    fade_.setStartValue(from);
    fade_.setEndValue(shown ? 1.0 : 0.0);
    fade_.start();
}

void ModalOverlay::setCardContent(QWidget* content) { card_->setContent(content); }

void ModalOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), withOpacity(color(PaletteColor::outline), backdropOpacity));
}

bool ModalOverlay::onBackdrop(const QPoint& position) const { return !card_->geometry().contains(position); }

void ModalOverlay::mousePressEvent(QMouseEvent* event) {
    event->accept();
    pressedOnBackdrop_ = event->button() == Qt::LeftButton && onBackdrop(event->position().toPoint());
}

void ModalOverlay::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool clicked = pressedOnBackdrop_ && event->button() == Qt::LeftButton && onBackdrop(event->position().toPoint());
    pressedOnBackdrop_ = false;
    if (clicked) emit backdropClicked();
}

} // namespace zantiva
