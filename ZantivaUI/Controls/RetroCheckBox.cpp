#include "Controls/RetroCheckBox.h"

#include <QPainter>
#include <algorithm>

#include "Theme/GroupOpacity.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/WrappedText.h"

namespace zantiva {

namespace {

constexpr int boxSide = 20;
constexpr int gap = 10;
constexpr qreal boxRadius = 5;
constexpr int labelFlags = Qt::AlignLeading | Qt::AlignTop | Qt::TextWordWrap;
const QString checkMark = QStringLiteral("\u2713");

} // namespace

RetroCheckBox::RetroCheckBox(const QString& text, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    setCheckable(true);
    // Not fixed in height: a box layout caps a fixed item at its one-line hint, cutting a label
    // that wraps short of the height it needs at that width.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QRect RetroCheckBox::boxRect() const {
    const int left = layoutDirection() == Qt::RightToLeft ? width() - boxSide : 0;
    return {left, 0, boxSide, boxSide};
}

QRect RetroCheckBox::labelRect() const {
    const int left = layoutDirection() == Qt::RightToLeft ? 0 : boxSide + gap;
    return {left, 0, std::max(0, width() - boxSide - gap), height()};
}

QSize RetroCheckBox::labelSize(int width) const {
    return wrappedTextSize(fontMetrics(), text(), width, labelFlags);
}

QSize RetroCheckBox::sizeHint() const {
    const QSize label = labelSize(QWIDGETSIZE_MAX);
    return {boxSide + gap + label.width(), std::max(boxSide, label.height())};
}

QSize RetroCheckBox::minimumSizeHint() const { return {boxSide + gap + fontMetrics().averageCharWidth(), boxSide}; }

int RetroCheckBox::heightForWidth(int width) const {
    return std::max(boxSide, labelSize(width - boxSide - gap).height());
}

void RetroCheckBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setLayoutDirection(layoutDirection());
    paintWithOpacity(painter, *this, isEnabled() ? 1.0 : disabledOpacity, [this](QPainter& layer) {
        const QRect box = boxRect();
        paintOutlinedShape(layer, box, boxRadius, isChecked() ? color(PaletteColor::primary) : color(PaletteColor::muted),
                           color(PaletteColor::outline));
        if (isChecked()) {
            layer.setFont(systemFont(13, QFont::Black));
            layer.setPen(color(PaletteColor::onPrimary));
            layer.drawText(box, Qt::AlignCenter, checkMark);
        }
        layer.setFont(font());
        // Faded as a whole while disabled, in the label's own colour rather than the palette's grey.
        layer.setPen(palette().color(QPalette::Active, QPalette::WindowText));
        layer.drawText(labelRect(), labelFlags, text());
    });
}

} // namespace zantiva
