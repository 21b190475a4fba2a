#include "Gallery/GalleryWindow.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

#include "Charts/ZantivaLogo.h"
#include "Panels/SpecsPanel.h"
#include "Panels/TelemetryPanel.h"
#include "Gallery/DesignSystemGallery.h"
#include "Gallery/PreviewSamples.h"
#include "Layout/RetroDropdown.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Model/SensorSnapshot.h"
#include "Model/TelemetryHistory.h"

namespace zantiva {

namespace {

constexpr int liveSamples = 90;
constexpr int shownSamples = 72;

// A calm made-up load curve, the same on every run.
TelemetryHistory curve(double base, double swing, double period) {
    TelemetryHistory history(liveSamples);
    for (int i = 0; i < shownSamples; ++i)
        history.append(base + swing * std::sin(i / period) + swing * 0.4 * std::sin(i / (period * 0.37)));
    return history;
}

} // namespace

GalleryWindow::GalleryWindow(LocNotifier& loc, QWidget* parent) : QWidget(parent) {
    applyZantivaRoot(*this, loc);
    SensorSnapshot silent;
    silent.hasSensorAccess = false;

    gallery_ = new DesignSystemGallery(loc);
    gallery_->setFixedWidth(640);
    specsPanel_ = new SpecsPanel(loc, PreviewSamples::systemSpecs(),
                                 {{SpecsChart::cpu, curve(38, 22, 5)},
                                  {SpecsChart::memory, curve(58, 4, 11)},
                                  {SpecsChart::gpu, curve(14, 10, 3)}},
                                 std::nullopt);
    samplePanel_ = new TelemetryPanel(loc, PreviewSamples::sensorSnapshot());
    silentPanel_ = new TelemetryPanel(loc, silent);

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

} // namespace zantiva
