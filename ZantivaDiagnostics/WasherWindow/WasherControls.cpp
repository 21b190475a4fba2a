#include "WasherWindow/WasherControls.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "Cards/RetroBadge.h"
#include "Controls/RetroButton.h"
#include "Layout/CentredRow.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"

namespace zantiva {
namespace {

// The control bar's rounded panel on the window's surface colour.
class ControlBar : public QWidget {
public:
    ControlBar() { setAttribute(Qt::WA_TranslucentBackground); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        paintOutlinedShape(painter, QRectF(rect()), 16, color(PaletteColor::surface), color(PaletteColor::outline));
    }
};

ProseLabel* badgeText(PaletteColor foreground) {
    auto* label = new ProseLabel;
    label->setFont(vazirFont(VazirWeight::bold, 12));
    setForeground(*label, color(foreground));
    return label;
}

// The bar's buttons keep their one-line width; the bar grows instead.
RetroButton* barButton(RetroButtonKind kind) {
    auto* button = new RetroButton({}, kind, RetroButtonSize::compact);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

} // namespace

WasherControls::WasherControls(QWidget* parent)
    : QWidget(parent), slide_(badgeText(PaletteColor::text)), flashing_(badgeText(PaletteColor::outline)),
      time_(badgeText(PaletteColor::text)),
      stop_(barButton(RetroButtonKind::primary)) {
    slideBadge_ = new RetroBadge(slide_, color(PaletteColor::card));
    flashingBadge_ = new RetroBadge(flashing_, color(PaletteColor::tertiary));

    auto* bar = new ControlBar;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(14, 14, 14, 14);
    row->setSpacing(10);
    for (const ScreenWasherPattern pattern : allCases<ScreenWasherPattern>()) {
        RetroButton* button = barButton(RetroButtonKind::outline);
        connect(button, &QAbstractButton::clicked, this, [this, pattern] { emit patternChosen(pattern); });
        row->addWidget(button, 0, Qt::AlignVCenter);
        patterns_.push_back({pattern, button});
    }
    row->addWidget(flashingBadge_, 0, Qt::AlignVCenter);
    row->addWidget(new RetroBadge(time_, color(PaletteColor::card)), 0, Qt::AlignVCenter);
    row->addWidget(stop_, 0, Qt::AlignVCenter);
    connect(stop_, &QAbstractButton::clicked, this, &WasherControls::stopRequested);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 40, 0, 48);
    column->addLayout(centredRow(slideBadge_));
    column->addStretch();
    column->addLayout(centredRow(bar));
}

void WasherControls::show(const WasherControlsView& view) {
    slideBadge_->setVisible(view.slideBadge.has_value());
    if (view.slideBadge) slide_->setProse(qs(*view.slideBadge));
    for (const WasherPatternButton& shown : view.patterns)
        if (RetroButton* button = patternButton(shown.pattern)) {
            button->setText(qs(shown.text));
            button->setKind(shown.highlighted ? RetroButtonKind::secondary : RetroButtonKind::outline);
        }
    flashingBadge_->setVisible(view.flashing.has_value());
    if (view.flashing) flashing_->setProse(qs(*view.flashing));
    time_->setProse(qs(view.time));
    stop_->setText(qs(view.stop));
}

RetroButton* WasherControls::patternButton(ScreenWasherPattern pattern) const {
    for (const PatternButton& entry : patterns_)
        if (entry.pattern == pattern) return entry.button;
    return nullptr;
}

} // namespace zantiva
