#pragma once

#include <QWidget>

#include "Presenters/DisplayStationPresenter.h"

namespace zantiva {

class DisplayTestController;
class ProseLabel;
class RetroButton;

// The display check's page: what the full-screen test does, and the button that starts it.
class DisplayStation : public QWidget {
    Q_OBJECT

public:
    explicit DisplayStation(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const DisplayStationView& view);

    ProseLabel* body() const { return body_; }
    RetroButton* startButton() const { return start_; }
    ProseLabel* runningNote() const { return running_; }
    // Set by the binding; lives as long as the page.
    DisplayTestController* controller() const { return controller_; }
    void setController(DisplayTestController* controller) { controller_ = controller; }

signals:
    void startRequested();

private:
    ProseLabel* body_;
    RetroButton* start_;
    ProseLabel* running_;
    DisplayTestController* controller_ = nullptr;
};

} // namespace zantiva
