#pragma once

#include <vector>

#include "Presenters/WasherSetupPresenter.h"
#include "Layout/ModalOverlay.h"

class QVBoxLayout;

namespace zantiva {

class ProseLabel;
class RetroButton;
class RetroCheckBox;
class WasherChoiceList;
class WasherNoticeBox;

// The card that prepares a washer run: what it does, the flashing warning, how long, the
// first pattern, the rotation, which screen, and the consent without which Start stays off.
class WasherSetupSheet : public ModalOverlay {
    Q_OBJECT

public:
    explicit WasherSetupSheet(QWidget* parent);

    using QWidget::show;
    void show(const WasherSetupView& view);

    WasherChoiceList* durations() const { return durations_; }
    WasherChoiceList* patterns() const { return patterns_; }
    WasherChoiceList* screens() const { return screens_; }
    RetroCheckBox* consentBox() const { return consent_; }
    RetroButton* startButton() const { return start_; }
    RetroButton* cancelButton() const { return cancel_; }

signals:
    void durationChosen(std::size_t index);
    void patternChosen(std::size_t index);
    void screenChosen(std::size_t index);
    void autoCycleChosen(bool on);
    void consentChosen(bool given);
    void startRequested();
    void cancelRequested();

private:
    ProseLabel* title_;
    ProseLabel* subtitle_;
    WasherNoticeBox* warning_;
    WasherNoticeBox* time_;
    ProseLabel* durationTitle_;
    WasherChoiceList* durations_;
    ProseLabel* summary_;
    ProseLabel* patternTitle_;
    WasherChoiceList* patterns_;
    RetroCheckBox* autoCycle_;
    ProseLabel* screenTitle_;
    WasherChoiceList* screens_;
    ProseLabel* controlsNote_;
    ProseLabel* inspectTip_;
    RetroCheckBox* consent_;
    RetroButton* start_;
    RetroButton* cancel_;
};

} // namespace zantiva
