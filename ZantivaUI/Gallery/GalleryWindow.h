#pragma once

#include <QWidget>

#include "Model/SensorSnapshot.h"
#include "Model/SystemSpecs.h"
#include "Model/TelemetryHistory.h"

namespace zantiva {

class DesignSystemGallery;
class SpecsPanel;
class TelemetryPanel;

// What zantiva-gallery shows: the gallery, and beside it the logo, a dropdown and the two
// dashboard panels on the preview samples (the specs with the processor's chart open,
// the sample telemetry, and a reading of a machine whose sensors report nothing). It holds the
// records the panels read.
class GalleryWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int width = 1920;
    static constexpr int height = 1080;

    explicit GalleryWindow(QWidget* parent = nullptr);
    ~GalleryWindow() override;

    DesignSystemGallery* gallery() const { return gallery_; }
    SpecsPanel* specsPanel() const { return specsPanel_; }
    TelemetryPanel* samplePanel() const { return samplePanel_; }
    TelemetryPanel* silentPanel() const { return silentPanel_; }

private:
    SystemSpecs specs_;
    SensorSnapshot sample_;
    SensorSnapshot silent_;
    TelemetryHistory cpu_;
    TelemetryHistory ram_;
    TelemetryHistory gpu_;
    DesignSystemGallery* gallery_;
    SpecsPanel* specsPanel_;
    TelemetryPanel* samplePanel_;
    TelemetryPanel* silentPanel_;
};

} // namespace zantiva
