#pragma once

#include <QWidget>
#include <vector>

#ifndef Q_MOC_RUN
#include "Model/TestModule.h"
#include "Presenters/LauncherPresenter.h"
#endif

class QLabel;

namespace zantiva {

class FlowLayout;
class RetroButton;
class RetroCheckBox;
template <typename Option> class RetroDropdown;

// Where every test starts: the full run, the CPU/GPU duration, the single tests and the
// storage test wrapping into rows, and the peripheral bypass; below them the screen washer.
// Disabled as a whole while a run may not start.
class TestLauncher : public QWidget {
    Q_OBJECT
public:
    explicit TestLauncher(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const LauncherView& view);

    RetroButton* fullRunButton() const { return fullRun_; }
    RetroDropdown<int>* durationDropdown() const { return duration_; }
    // The single tests in order, then the storage test.
    const std::vector<RetroButton*>& testButtons() const { return testButtons_; }
    RetroButton* storageButton() const { return storage_; }
    RetroCheckBox* bypassCheckBox() const { return bypass_; }
    RetroButton* washerButton() const { return washer_; }

signals:
    void runRequested(const std::vector<zantiva::TestModule>& plan);
    void storageTestRequested();
    void durationChosen(int minutes);
    void bypassChosen(bool bypass);
    void washerRequested();

private:
    RetroButton* fullRun_;
    std::vector<TestModule> fullPlan_;
    QLabel* durationLabel_;
    RetroDropdown<int>* duration_;
    QLabel* minutesLabel_;
    QLabel* singleTestsTitle_;
    QWidget* tests_;
    FlowLayout* flow_;
    std::vector<RetroButton*> testButtons_;
    std::vector<std::vector<TestModule>> plans_;
    RetroButton* storage_;
    RetroCheckBox* bypass_;
    QLabel* maintenanceTitle_;
    RetroButton* washer_;
};

} // namespace zantiva
