#include "Panels/TelemetryFigureView.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QVBoxLayout>
#include <utility>

#include "Layout/LeadingRow.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/TextRole.h"

namespace zantiva {

namespace {

constexpr double captionOpacity = 0.6;

QLabel* plainLabel(const QFont& font) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    return label;
}

} // namespace

TelemetryFigureView::TelemetryFigureView(QWidget* parent)
    : QWidget(parent), value_(plainLabel(vazirFont(VazirWeight::black, 24))),
      caption_(plainLabel(vazirFont(VazirWeight::medium, 11))) {
    // Numbers and units keep their order in Persian too; the value still stands at the leading edge.
    value_->setLayoutDirection(Qt::LeftToRight);
    value_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setForeground(*caption_, withOpacity(color(PaletteColor::text), captionOpacity));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(leadingRow(value_));
    layout->addWidget(caption_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TelemetryFigureView::setFigure(const TelemetryFigure& figure) {
    // Readings come every second and most parts of one repeat the last, but each setter costs
    // events or text layout even when it changes nothing.
    const std::optional<TelemetryFigure> before = std::exchange(shown_, figure);
    const auto changed = [&](const auto TelemetryFigure::*part) { return !before || (*before).*part != figure.*part; };
    if (changed(&TelemetryFigure::text)) showValue(QString::fromStdString(figure.shown()));
    if (changed(&TelemetryFigure::color)) setForeground(*value_, color(figure.color));
    if (changed(&TelemetryFigure::tooltip)) value_->setToolTip(QString::fromStdString(figure.tooltip));
    if (changed(&TelemetryFigure::accessibleLabel)) value_->setAccessibleName(QString::fromStdString(figure.accessibleLabel));
    if (changed(&TelemetryFigure::caption)) {
        caption_->setVisible(figure.caption.has_value());
        caption_->setText(QString::fromStdString(figure.caption.value_or("")));
    }
}

void TelemetryFigureView::showValue(const QString& text) {
    value_->setText(text);
    // Held at the size its text needs: a new reading of the same size repaints the value alone,
    // without laying out what is around it. Measuring a selectable label lays its text out twice
    // more, so it is asked only when the text's advance, and with it the size it needs, changed.
    const qreal advance = QFontMetricsF(value_->font()).horizontalAdvance(text);
    if (advance == fittedAdvance_) return;
    fittedAdvance_ = advance;
    if (const QSize needed = value_->sizeHint(); value_->minimumSize() != needed || value_->maximumSize() != needed)
        value_->setFixedSize(needed);
}

} // namespace zantiva
