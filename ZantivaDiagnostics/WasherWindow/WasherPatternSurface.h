#pragma once

#include <QWidget>

#include "Washer/ScreenWasherEngine.h"
#include "Washer/WasherNoiseField.h"
#include "Washer/WasherNoiseStretch.h"

namespace zantiva {

// Draws the pattern the engine holds over the whole widget: a plain colour (the RGBW cycle,
// the slides), the black-and-white band that sweeps sideways, or a new field of random pixels
// for every frame of the static noise.
class WasherPatternSurface : public QWidget {
    Q_OBJECT

public:
    explicit WasherPatternSurface(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const ScreenWasherEngine& engine);
    // The noise field of the last painted frame.
    const WasherNoiseField& noise() const { return noise_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintNoise(QPainter& painter);
    void paintGradient(QPainter& painter) const;

    ScreenWasherEngine engine_;
    WasherNoiseField noise_;
    WasherNoiseStretch stretch_;
};

} // namespace zantiva
