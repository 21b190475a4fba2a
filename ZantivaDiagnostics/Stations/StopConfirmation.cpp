#include "Stations/StopConfirmation.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "Cards/RetroCard.h"
#include "Controls/RetroButton.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

constexpr int cardContentWidth = 420;
constexpr double backdropOpacity = 0.7;

} // namespace

StopConfirmation::StopConfirmation(QWidget* parent)
    : QWidget(parent), title_(wrappedLabel(TextRole::header, color(PaletteColor::text))),
      body_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      confirm_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::regular)),
      cancel_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::regular)) {
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(confirm_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* content = new QWidget;
    content->setFixedWidth(cardContentWidth);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addWidget(title_);
    column->addWidget(body_);
    column->addLayout(buttons);

    auto* card = new RetroCard(RetroCard::Style::standard());
    card->setContent(content);
    auto* centre = new QVBoxLayout(this);
    centre->addWidget(card, 0, Qt::AlignCenter);

    setFocusPolicy(Qt::StrongFocus);
    connect(confirm_, &QAbstractButton::clicked, this, &StopConfirmation::confirmed);
    connect(cancel_, &QAbstractButton::clicked, this, &StopConfirmation::cancelled);
}

void StopConfirmation::show(const StopConfirmationView& view) {
    title_->setProse(QString::fromStdString(view.title));
    body_->setProse(QString::fromStdString(view.body));
    confirm_->setText(QString::fromStdString(view.confirm));
    cancel_->setText(QString::fromStdString(view.cancel));
}

void StopConfirmation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), withOpacity(color(PaletteColor::outline), backdropOpacity));
}

void StopConfirmation::mousePressEvent(QMouseEvent* event) { event->accept(); }

void StopConfirmation::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit cancelled();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zantiva
