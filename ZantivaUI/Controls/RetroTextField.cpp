#include "Controls/RetroTextField.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>

#include "Theme/Metric.h"
#include "Theme/Palette.h"
#include "Theme/SurfaceLayout.h"
#include "Typography/TextRole.h"

namespace zantiva {

namespace {

constexpr qreal fieldRadius = Theme::Metric::cardRadius;

} // namespace

RetroTextField::RetroTextField(const QString& placeholder, bool forceLeftToRight, QWidget* parent)
    : QWidget(parent), surface_(this, surfaceStyle()), edit_(new QLineEdit(this)) {
    edit_->setFrame(false);
    edit_->setPlaceholderText(placeholder);
    applyTextRole(*edit_, TextRole::input, color(PaletteColor::text));
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::PlaceholderText, withOpacity(color(PaletteColor::text), 0.45));
    palette.setColor(QPalette::Highlight, color(PaletteColor::primary));
    palette.setColor(QPalette::HighlightedText, color(PaletteColor::onPrimary));
    edit_->setPalette(palette);
    if (forceLeftToRight) edit_->setLayoutDirection(Qt::LeftToRight);
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textChanged, this, &RetroTextField::textChanged);

    (new SurfaceLayout(this, surface_, QMargins(16, 12, 16, 12)))->setContent(edit_);
    setFocusProxy(edit_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QString RetroTextField::text() const { return edit_->text(); }

void RetroTextField::setText(const QString& text) { edit_->setText(text); }

SurfaceStyle RetroTextField::surfaceStyle() const {
    return {
        .fill = focused_ ? color(PaletteColor::card) : color(PaletteColor::muted),
        .radius = fieldRadius,
        .shadow = Theme::Metric::controlShadow,
        .lift = focused_ ? Theme::Metric::hoverLift : 0,
        .pressed = false,
        .shadowColor = focused_ ? color(PaletteColor::outline) : QColor(Qt::transparent),
        .borderColor = color(PaletteColor::outline),
    };
}

bool RetroTextField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        focused_ = event->type() == QEvent::FocusIn;
        surface_.setStyle(surfaceStyle());
    }
    return QWidget::eventFilter(watched, event);
}

void RetroTextField::mousePressEvent(QMouseEvent*) { edit_->setFocus(Qt::MouseFocusReason); }

void RetroTextField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    surface_.paint(painter, rect());
}

} // namespace zantiva
