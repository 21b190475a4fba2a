#pragma once

#include <QWidget>

#include "Model/TestModule.h"
#include "Presenters/UnavailableCheckPresenter.h"


namespace zantiva {

class AppModel;
class LocNotifier;
class ProseLabel;
class RetroButton;

// The page of an interactive check this version cannot run yet: a note and the button that
// ends the module without the check, so that a run never waits for it forever.
class UnavailableCheckStation : public QWidget {
    Q_OBJECT

public:
    explicit UnavailableCheckStation(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const UnavailableCheckView& view);

    ProseLabel* note() const { return note_; }
    RetroButton* skipButton() const { return skip_; }

signals:
    void skipRequested();

private:
    ProseLabel* note_;
    RetroButton* skip_;
};

// The skip ends the module with the outcome its station may report that claims least:
// skipped (display), bypassed (microphone and camera), or a verdict of not passed (speaker,
// and input with no key checked), which are the only outcomes those two stations have.
void bindUnavailableCheckStation(UnavailableCheckStation& page, TestModule module, AppModel& model, LocNotifier& loc);

} // namespace zantiva
