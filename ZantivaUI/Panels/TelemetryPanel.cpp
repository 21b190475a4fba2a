#include "Panels/TelemetryPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "Cards/RetroBadge.h"
#include "Cards/RetroCard.h"
#include "Panels/TelemetryFigureView.h"
#include "Layout/Rule.h"
#include "Layout/TitledSection.h"
#include "Layout/ReflowGate.h"
#include "LocalizedViews/LocNotifier.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleLabel.h"

namespace zantiva {

namespace {

QHBoxLayout* pair(TelemetryFigureView* temperature, TelemetryFigureView* load) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(temperature, 1, Qt::AlignTop);
    row->addWidget(load, 1, Qt::AlignTop);
    return row;
}

QLabel* subHeader(const QString& text = {}) { return roleLabel(TextRole::subHeader, color(PaletteColor::text), text); }

// What changes with the readings stands on the card's plain face; filled with that face, it is
// drawn again alone instead of over a fresh drawing of the card beneath.
void fillWithCardFace(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color(PaletteColor::card));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace

TelemetryPanel::TelemetryPanel(LocNotifier& loc, SensorSnapshot snapshot, QWidget* parent)
    : QWidget(parent), loc_(loc), snapshot_(std::move(snapshot)),
      title_(roleLabel(TextRole::label, color(PaletteColor::text))),
      cpuTemperature_(new TelemetryFigureView), cpuLoad_(new TelemetryFigureView),
      gpuTemperature_(new TelemetryFigureView), gpuLoad_(new TelemetryFigureView), memoryTitle_(subHeader()),
      memoryLoad_(new TelemetryFigureView), memoryFootnote_(new ProseLabel(TextRole::label, color(PaletteColor::text))),
      powerTitle_(subHeader()), power_(new TelemetryFigureView), fanTitle_(subHeader()), fan_(new TelemetryFigureView),
      thermalTitle_(subHeader()), thermalText_(new QLabel),
      noSensors_(new ProseLabel(TextRole::label, color(PaletteColor::text))) {
    thermalText_->setTextFormat(Qt::PlainText);
    thermalText_->setFont(vazirFont(VazirWeight::bold, 12));
    thermalBadge_ = new RetroBadge(thermalText_, color(PaletteColor::secondary));
    memoryFootnote_->setWordWrap(true);
    fillWithCardFace(*memoryFootnote_);
    for (TelemetryFigureView* figure : {cpuTemperature_, cpuLoad_, gpuTemperature_, gpuLoad_, memoryLoad_, power_, fan_})
        fillWithCardFace(*figure->value());
    noSensors_->setWordWrap(true);

    auto* memory = new QVBoxLayout;
    memory->setSpacing(0);
    memory->addWidget(memoryLoad_);
    // The footnote's figures change with most readings, its height seldom.
    memory->addWidget(new ReflowGate(memoryFootnote_));
    auto* thermal = new QHBoxLayout;
    thermal->addWidget(thermalBadge_);
    thermal->addStretch();

    auto* rows = new QVBoxLayout;
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(14);
    rows->addWidget(title_);
    rows->addWidget(titledSection(subHeader(TelemetryPresenter::cpuTitle), pair(cpuTemperature_, cpuLoad_)));
    rows->addWidget(rule());
    rows->addWidget(titledSection(subHeader(TelemetryPresenter::gpuTitle), pair(gpuTemperature_, gpuLoad_)));
    rows->addWidget(rule());
    rows->addWidget(titledSection(memoryTitle_, memory));
    rows->addWidget(rule());
    rows->addWidget(titledSection(powerTitle_, power_));
    rows->addWidget(rule());
    rows->addWidget(titledSection(fanTitle_, fan_));
    rows->addWidget(rule());
    rows->addWidget(titledSection(thermalTitle_, thermal));
    rows->addWidget(noSensors_);
    rows->addStretch();

    auto* card = new RetroCard(RetroCard::Style::standard());
    card->setContent(rows);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(card);
    loc_.bind(this, [this] { refresh(); });
}

const QColor& TelemetryPanel::temperatureColor(std::optional<double> celsius) {
    return color(TelemetryPresenter::temperatureColor(celsius));
}

void TelemetryPanel::setSnapshot(SensorSnapshot snapshot) {
    snapshot_ = std::move(snapshot);
    refresh();
}

void TelemetryPanel::refresh() {
    TelemetryView view = TelemetryPresenter::present(snapshot_, loc_.loc());
    // Most samples read as the last one did; the figures skip their own unchanged parts.
    if (view == shown_) return;
    title_->setText(qs(view.title));
    cpuTemperature_->setFigure(view.cpuTemperature);
    cpuLoad_->setFigure(view.cpuLoad);
    gpuTemperature_->setFigure(view.gpuTemperature);
    gpuLoad_->setFigure(view.gpuLoad);
    memoryTitle_->setText(qs(view.memoryTitle));
    memoryLoad_->setFigure(view.memoryLoad);
    if (!shown_ || view.memoryFootnote != shown_->memoryFootnote) memoryFootnote_->setProse(qs(view.memoryFootnote));
    powerTitle_->setText(qs(view.powerTitle));
    power_->setFigure(view.power);
    fanTitle_->setText(qs(view.fanTitle));
    fan_->setFigure(view.fan);
    thermalTitle_->setText(qs(view.thermalTitle));
    thermalText_->setText(qs(view.thermal.text));
    setForeground(*thermalText_, color(view.thermal.foreground));
    thermalBadge_->setBackground(color(view.thermal.background));
    if (!shown_ || view.noSensorsNotice != shown_->noSensorsNotice) {
        noSensors_->setVisible(view.noSensorsNotice.has_value());
        noSensors_->setProse(qs(view.noSensorsNotice.value_or("")));
    }
    shown_ = std::move(view);
}

bool TelemetryPanel::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The layout has just taken in a change of the content: hold the height it now needs.
    if (event->type() == QEvent::LayoutRequest) fitHeight();
    return handled;
}

void TelemetryPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) fitHeight();
}

// A widget of fixed size passes no change of its content on to the layouts around it.
void TelemetryPanel::fitHeight() {
    const QLayout& rows = *layout();
    const int height = rows.hasHeightForWidth() ? rows.totalHeightForWidth(width()) : rows.totalSizeHint().height();
    if (minimumHeight() != height || maximumHeight() != height) setFixedHeight(height);
}

} // namespace zantiva
