#include "Panels/TelemetryFigureView.h"

#include <QLabel>
#include <QVBoxLayout>

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
    value_->setText(QString::fromStdString(figure.shown()));
    // Held at the size its text needs: a new reading of the same size repaints the value alone,
    // without laying out what is around it.
    if (const QSize needed = value_->sizeHint(); value_->minimumSize() != needed || value_->maximumSize() != needed)
        value_->setFixedSize(needed);
    setForeground(*value_, color(figure.color));
    value_->setToolTip(QString::fromStdString(figure.tooltip));
    value_->setAccessibleName(QString::fromStdString(figure.accessibleLabel));
    caption_->setVisible(figure.caption.has_value());
    caption_->setText(QString::fromStdString(figure.caption.value_or("")));
}

} // namespace zantiva
