#pragma once

#include <QWidget>
#include <vector>

#include "Presenters/WasherPresenter.h"

class QHBoxLayout;

namespace zantiva {

class ProseLabel;
class RetroBadge;
class RetroButton;

// The washer's controls over the pattern: the slide badge near the top while the slides
// show, and the control bar near the bottom with the pattern buttons, the flashing warning,
// the time and Stop.
class WasherControls : public QWidget {
    Q_OBJECT

public:
    explicit WasherControls(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const WasherControlsView& view);

    RetroButton* patternButton(ScreenWasherPattern pattern) const;
    RetroButton* stopButton() const { return stop_; }
    RetroBadge* slideBadge() const { return slideBadge_; }
    RetroBadge* flashingBadge() const { return flashingBadge_; }
    ProseLabel* timeText() const { return time_; }

signals:
    void patternChosen(ScreenWasherPattern pattern);
    void stopRequested();

private:
    struct PatternButton {
        ScreenWasherPattern pattern;
        RetroButton* button;
    };

    RetroBadge* slideBadge_;
    ProseLabel* slide_;
    std::vector<PatternButton> patterns_;
    RetroBadge* flashingBadge_;
    ProseLabel* flashing_;
    ProseLabel* time_;
    RetroButton* stop_;
};

} // namespace zantiva
