#pragma once

#include <QWidget>

namespace zantiva {

class DesignSystemGallery;
class LocNotifier;
class SpecsPanel;
class TelemetryPanel;

// What zantiva-gallery shows: the gallery, and beside it the logo, a dropdown and the two
// dashboard panels on the preview samples (the specs with their charts closed, so that no
// pop-up hides a card, the sample telemetry, and a reading of a machine whose sensors report
// nothing), all in the language of the given notifier.
class GalleryWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int width = 1920;
    static constexpr int height = 1080;

    explicit GalleryWindow(LocNotifier& loc, QWidget* parent = nullptr);

    DesignSystemGallery* gallery() const { return gallery_; }
    SpecsPanel* specsPanel() const { return specsPanel_; }
    TelemetryPanel* samplePanel() const { return samplePanel_; }
    TelemetryPanel* silentPanel() const { return silentPanel_; }

private:
    DesignSystemGallery* gallery_;
    SpecsPanel* specsPanel_;
    TelemetryPanel* samplePanel_;
    TelemetryPanel* silentPanel_;
};

} // namespace zantiva
