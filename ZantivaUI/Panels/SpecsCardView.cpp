#include "Panels/SpecsCardView.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <utility>

#include "Charts/HistoryChart.h"
#include "Controls/RetroToggle.h"
#include "Layout/ClearLayout.h"
#include "Layout/FloatingOverlay.h"
#include "Layout/LeadingRow.h"
#include "Model/TelemetryHistory.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleLabel.h"

namespace zantiva {

namespace {

constexpr int popupTop = 56;
constexpr qreal chartHeight = 160;
constexpr double chartMaximum = 100;
constexpr qreal valueSize = 20;
constexpr qreal smallestValueSize = valueSize * 0.7;
constexpr int valueLines = 2;

} // namespace

SpecsCardView::SpecsCardView(QWidget* parent)
    : RetroCard(RetroCard::Style::standard(), parent),
      title_(roleLabel(TextRole::label, color(PaletteColor::text))),
      value_(new HardwareText({}, 20, QFont::Bold, color(PaletteColor::text))), details_(new QVBoxLayout),
      toggle_(new RetroToggle({}, RetroButtonSize::chip)),
      popupCard_(new RetroCard({16, color(PaletteColor::card), color(PaletteColor::outline), 6, false})),
      popupTitle_(new ProseLabel(TextRole::label, color(PaletteColor::text))), popupStack_(new QVBoxLayout) {
    value_->setWordWrap(true);
    value_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    value_->setAlignment(Qt::AlignTop | Qt::AlignAbsolute | Qt::AlignLeft);
    details_->setSpacing(4);
    details_->setContentsMargins(0, 0, 0, 0);
    toggle_->hide();
    connect(toggle_, &QAbstractButton::clicked, this, &SpecsCardView::toggleSwitched);

    auto* header = new QHBoxLayout;
    header->addWidget(title_);
    header->addSpacing(8);
    header->addStretch();
    header->addWidget(toggle_);
    auto* headerBox = new QWidget;
    headerBox->setLayout(header);
    header->setContentsMargins(0, 0, 0, 0);
    headerBox->setMinimumHeight(30);

    auto* stack = new QVBoxLayout;
    stack->setSpacing(10);
    stack->addWidget(headerBox);
    stack->addWidget(value_);
    stack->addLayout(details_);
    stack->addStretch();
    setContent(stack);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    popupStack_->setSpacing(10);
    popupStack_->addWidget(popupTitle_);
    popupCard_->setContent(popupStack_);
    overlay_ = new FloatingOverlay(this, popupCard_, [](const QRect& anchor, QWidget& content) {
        return QRect(anchor.left(), anchor.top() + popupTop, anchor.width(), content.sizeHint().height());
    });
}

void SpecsCardView::setCard(const SpecsCard& card) {
    title_->setText(qs(card.title));
    value_->setText(qs(card.value.text));
    valueIsProse_ = card.value.kind == SpecsDetail::Kind::prose;
    fitValue();
    if (card.details == shownDetails_) return;
    clearLayout(*details_);
    for (const SpecsDetail& detail : card.details) {
        if (detail.kind == SpecsDetail::Kind::prose) {
            // A sentence with figures ("8 cores / 16 threads · 5.13 GHz") that must keep their order.
            auto* line = new ProseLabel(TextRole::body, color(PaletteColor::text), qs(detail.text));
            line->setWordWrap(true);
            details_->addWidget(line);
        } else {
            auto* line = new HardwareText(qs(detail.text), 13, QFont::Medium, color(PaletteColor::text));
            details_->addLayout(leadingRow(line));
        }
    }
    shownDetails_ = card.details;
}

void SpecsCardView::setChart(const SpecsChartTexts& texts, const TelemetryHistory& history) {
    // Called with every sample, though the words change only with the language: setting them
    // again would cost events and text layout each second.
    if (toggle_->isHidden()) toggle_->show();
    bool resized = false;
    if (texts != shownChartTexts_) {
        toggle_->setText(qs(texts.toggleLabel));
        toggle_->setToolTip(qs(texts.tooltip));
        popupTitle_->setProse(qs(texts.popupTitle));
        shownChartTexts_ = texts;
        resized = true;
    }
    if (chart_ && chart_->capacity() != history.capacity()) delete std::exchange(chart_, nullptr);
    if (!chart_) {
        chart_ = new HistoryChart(history.capacity(), color(PaletteColor::primary), chartHeight, chartMaximum);
        popupStack_->addWidget(chart_);
        resized = true;
    }
    chart_->setValues(history.values());
    if (resized) overlay_->place();
}

void SpecsCardView::clearChart() {
    toggle_->hide();
    setOpen(false);
}

void SpecsCardView::setOpen(bool open) {
    const bool shown = open && toggle_->isVisibleTo(this);
    toggle_->setChecked(shown);
    overlay_->setShown(shown);
}

void SpecsCardView::changeEvent(QEvent* event) {
    // The value reads left to right in both languages but stands at the leading edge.
    if (event->type() == QEvent::LayoutDirectionChange)
        value_->setAlignment(Qt::AlignTop | Qt::AlignAbsolute |
                             (layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft));
    RetroCard::changeEvent(event);
}

void SpecsCardView::resizeEvent(QResizeEvent* event) {
    RetroCard::resizeEvent(event);
    fitValue();
}

void SpecsCardView::fitValue() {
    const int width = value_->width();
    if (width <= 0) return;
    QFont font;
    for (qreal size = valueSize; size >= smallestValueSize; size -= 1) {
        font = valueIsProse_ ? vazirFont(VazirWeight::bold, size) : hardwareFont(size, QFont::Bold);
        const QFontMetrics metrics(font);
        const QRect needed = metrics.boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX), Qt::TextWordWrap, value_->text());
        if (needed.height() <= valueLines * metrics.lineSpacing()) break;
    }
    if (font != value_->font()) value_->setFont(font);
    const int twoLines = valueLines * QFontMetrics(font).lineSpacing();
    if (value_->maximumHeight() != twoLines) value_->setMaximumHeight(twoLines);
}

bool SpecsCardView::isPopupShown() const { return overlay_->isShown() && popupCard_->isVisible(); }

QWidget* SpecsCardView::popup() const { return popupCard_; }

std::vector<SpecsDetail> SpecsCardView::shownDetails() const { return shownDetails_; }

} // namespace zantiva
