#include "Controls/RetroButton.h"

#include <QEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "Theme/GroupOpacity.h"
#include "Theme/Metric.h"
#include "Theme/Palette.h"
#include "Typography/DirectedText.h"
#include "Typography/Fonts.h"
#include "Typography/WrappedText.h"

namespace zantiva {

namespace {

constexpr int labelFlags = Qt::AlignCenter | Qt::TextWordWrap;

} // namespace

RetroButton::RetroButton(const QString& text, RetroButtonKind kind, RetroButtonSize size, QWidget* parent)
    : QAbstractButton(parent), kind_(kind), size_(size), surface_(this, surfaceStyle()) {
    setText(text);
    setFont(vazirFont(VazirWeight::extraBold, size_.fontSize));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    // Mouse and keys alike report press and release through these, also when the pointer
    // slides off a held button.
    for (const auto signal : {&QAbstractButton::pressed, &QAbstractButton::released})
        connect(this, signal, this, &RetroButton::refresh);
    connect(this, &QAbstractButton::toggled, this, &RetroButton::refresh);
}

RetroButton::RetroButton(const QString& text, RetroButtonKind kind, bool compact, QWidget* parent)
    : RetroButton(text, kind, RetroButtonSize::forCompact(compact), parent) {}

void RetroButton::setKind(RetroButtonKind kind) {
    kind_ = kind;
    refresh();
}

qreal RetroButton::lift() const { return hovered_ && isEnabled() && !isShownPressed() ? Theme::Metric::hoverLift : 0; }

SurfaceStyle RetroButton::surfaceStyle() const {
    return {
        .fill = currentColors().fill,
        .radius = size_.radius,
        .shadow = Theme::Metric::controlShadow,
        .lift = lift(),
        .pressed = isShownPressed(),
        .shadowColor = color(PaletteColor::outline),
        .borderColor = color(PaletteColor::outline),
    };
}

void RetroButton::refresh() {
    surface_.setStyle(surfaceStyle());
    update();
}

bool RetroButton::event(QEvent* event) {
    const bool handled = QAbstractButton::event(event);
    switch (event->type()) {
    case QEvent::Enter: hovered_ = true; break;
    case QEvent::Leave: hovered_ = false; break;
    case QEvent::EnabledChange: break;
    // The label's measure follows its direction.
    case QEvent::LayoutDirectionChange: updateGeometry(); return handled;
    default: return handled;
    }
    surface_.setStyle(surfaceStyle());
    return handled;
}

QSize RetroButton::around(const QSize& label) const {
    const int shadow = static_cast<int>(Theme::Metric::controlShadow);
    return {static_cast<int>(std::ceil(label.width() + 2 * size_.horizontal)) + shadow,
            static_cast<int>(std::ceil(label.height() + 2 * size_.vertical)) + shadow};
}

Qt::LayoutDirection RetroButton::labelDirection() const {
    return layoutDirection() == Qt::RightToLeft && holdsRightToLeftLetter(text()) ? Qt::RightToLeft : Qt::LeftToRight;
}

QString RetroButton::laidOutLabel() const {
    return labelDirection() == Qt::RightToLeft ? directedText(text(), Qt::RightToLeft) : text();
}

QSize RetroButton::sizeHint() const {
    QSize label = wrappedTextSize(fontMetrics(), laidOutLabel(), QWIDGETSIZE_MAX, labelFlags);
    // One line laid out as it is drawn: in a right-to-left label, a symbol from a fallback font
    // runs wider than the plain measure says, and the label would wrap.
    QTextLayout line(laidOutLabel(), font());
    QTextOption option;
    option.setTextDirection(labelDirection());
    line.setTextOption(option);
    line.beginLayout();
    QTextLine only = line.createLine();
    if (only.isValid()) only.setLineWidth(QWIDGETSIZE_MAX);
    line.endLayout();
    if (only.isValid()) label.setWidth(std::max(label.width(), static_cast<int>(std::ceil(only.naturalTextWidth()))));
    return around(label);
}

QSize RetroButton::minimumSizeHint() const {
    int widest = 0;
    for (const QString& word : text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        widest = std::max(widest, fontMetrics().horizontalAdvance(word));
    return around({widest, fontMetrics().height()});
}

int RetroButton::heightForWidth(int width) const {
    return around(wrappedTextSize(fontMetrics(), laidOutLabel(), width - around({0, 0}).width(), labelFlags)).height();
}

void RetroButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setLayoutDirection(layoutDirection());
    paintWithOpacity(painter, *this, isEnabled() ? 1.0 : disabledOpacity, [this](QPainter& layer) {
        surface_.paint(layer, rect());
        const QRectF face = surface_.geometry(rect()).face;
        layer.setPen(currentColors().label);
        layer.setFont(font());
        QTextOption option(Qt::AlignCenter);
        option.setWrapMode(QTextOption::WordWrap);
        option.setTextDirection(labelDirection());
        layer.drawText(face.marginsRemoved({size_.horizontal, size_.vertical, size_.horizontal, size_.vertical}),
                       laidOutLabel(), option);
    });
}

} // namespace zantiva
