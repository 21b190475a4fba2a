#include "Gallery/GalleryWindow.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

#include "Charts/ZantivaLogo.h"
#include "Dashboard/SpecsPanel.h"
#include "Dashboard/TelemetryPanel.h"
#include "Gallery/DesignSystemGallery.h"
#include "Gallery/PreviewSamples.h"
#include "Layout/RetroDropdown.h"
#include "LocalizedViews/ZantivaRoot.h"

namespace zantiva {

namespace {

constexpr int liveSamples = 90;
constexpr int shownSamples = 72;

// A calm made-up load curve, the same on every run.
void fill(TelemetryHistory& history, double base, double swing, double period) {
    for (int i = 0; i < shownSamples; ++i)
        history.append(base + swing * std::sin(i / period) + swing * 0.4 * std::sin(i / (period * 0.37)));
}

} // namespace

GalleryWindow::GalleryWindow(QWidget* parent)
    : QWidget(parent), specs_(PreviewSamples::systemSpecs()), sample_(PreviewSamples::sensorSnapshot()),
      cpu_(liveSamples), ram_(liveSamples), gpu_(liveSamples) {
    applyZantivaRoot(*this);
    fill(cpu_, 38, 22, 5);
    fill(ram_, 58, 4, 11);
    fill(gpu_, 14, 10, 3);
    silent_.hasSensorAccess = false;

    gallery_ = new DesignSystemGallery;
    gallery_->setFixedWidth(640);
    specsPanel_ = new SpecsPanel(&specs_, &cpu_, &ram_, &gpu_, SpecsChart::cpu);
    samplePanel_ = new TelemetryPanel(sample_);
    silentPanel_ = new TelemetryPanel(silent_);

    auto* minutes = new RetroDropdown<int>({1, 3, 5, 10}, 3, 90, false, [](int value) { return QString::number(value); });
    minutes->onSelect([minutes](int value) { minutes->setSelection(value); });
    auto* heading = new QHBoxLayout;
    heading->addWidget(new ZantivaLogo(48));
    heading->addStretch();
    heading->addWidget(minutes);

    auto* middle = new QVBoxLayout;
    middle->setSpacing(24);
    middle->addLayout(heading);
    middle->addWidget(specsPanel_);
    middle->addStretch();

    // The gallery brings its own 24-pixel margin; the far side gets the same as a spacing,
    // which, unlike a layout's margins, changes sides with the direction.
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 24);
    columns->setSpacing(24);
    columns->addWidget(gallery_, 0, Qt::AlignTop);
    auto* middleBox = new QVBoxLayout;
    middleBox->setContentsMargins(0, 24, 0, 0);
    middleBox->addLayout(middle);
    columns->addLayout(middleBox, 1);
    for (TelemetryPanel* panel : {samplePanel_, silentPanel_}) {
        auto* box = new QVBoxLayout;
        box->setContentsMargins(0, 24, 0, 0);
        box->addWidget(panel);
        box->addStretch();
        panel->setFixedWidth(300);
        columns->addLayout(box);
    }
    columns->addSpacing(24);
    resize(width, height);
}

GalleryWindow::~GalleryWindow() = default;

} // namespace zantiva
