#pragma once

#include <QTimer>
#include <QWidget>

#include "Presenters/WasherPresenter.h"
#include "WasherWindow/ScreenWasherRunState.h"

class QGraphicsOpacityEffect;
class QPropertyAnimation;

namespace zantiva {

class WasherControls;
class WasherPatternSurface;

// The whole of the washer's window: the pattern, the controls over it (fading in and out)
// and the run's one frame clock, which ticks once per refresh of the screen it is on.
class ScreenWasherView : public QWidget {
    Q_OBJECT

public:
    explicit ScreenWasherView(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const ScreenWasherEngine& engine, const WasherControlsView& controls);
    void setControlsVisible(bool visible);

    WasherPatternSurface* surface() const { return surface_; }
    WasherControls* controls() const { return controls_; }

signals:
    void frame(ScreenWasherRunState::Clock::time_point at);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    WasherPatternSurface* surface_;
    WasherControls* controls_;
    QGraphicsOpacityEffect* fade_;
    QPropertyAnimation* fading_;
    bool controlsShown_ = true;
    QTimer frameClock_;
};

} // namespace zantiva
