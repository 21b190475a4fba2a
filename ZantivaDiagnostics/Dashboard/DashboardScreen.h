#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#ifndef Q_MOC_RUN
#include "Panels/SpecsPanel.h"
#include "Model/SensorSnapshot.h"
#include "Model/SystemSpecs.h"
#include "Model/TestModule.h"
#include "Presenters/DashboardPresenter.h"
#endif

class QLabel;
class QScrollArea;

namespace zantiva {

class DeviceHeading;
class LocNotifier;
class ResumeCard;
class TelemetryPanel;
class TestLauncher;
class UpdateNoticeCard;

// The main screen under the header: a scrolling column (the update offer, the unfinished
// run, the device heading, the specs panel with the live load charts, the outside
// benchmarks, the test launcher and the version footer) at most 980 wide and centred in its room, beside the live
// telemetry sidebar, which scrolls on its own only where it is taller than the window. The panels follow the language themselves. The outside
// benchmarks' card is made and bound by whoever makes the screen; the screen only places it.
class DashboardScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int columnWidth = 980;
    static constexpr int padding = 28;
    static constexpr int sidebarWidth = 340;

    DashboardScreen(LocNotifier& loc, QWidget* outsideBenchmarks, QWidget* parent = nullptr);

    using QWidget::show;
    void show(const DashboardView& view);
    // Absent: the specs are being read.
    void showSpecs(std::optional<SystemSpecs> specs);
    // The newest telemetry sample, in the sidebar.
    void showTelemetry(const SensorSnapshot& snapshot);
    // The load histories behind the specs panel's charts.
    void showHistories(SpecsPanel::Histories histories);

    QScrollArea* scrollArea() const { return scroll_; }
    QWidget* column() const { return column_; }
    UpdateNoticeCard* updateCard() const { return update_; }
    ResumeCard* resumeCard() const { return resume_; }
    DeviceHeading* heading() const { return heading_; }
    SpecsPanel* specsPanel() const { return specs_; }
    TestLauncher* launcher() const { return launcher_; }
    QLabel* footer() const { return footer_; }
    TelemetryPanel* telemetryPanel() const { return telemetry_; }

signals:
    void updateGetRequested();
    void updateLaterRequested();
    void resumeRequested();
    void discardRequested();
    void gradeRequested();
    void runRequested(const std::vector<zantiva::TestModule>& plan);
    void storageTestRequested();
    void durationChosen(int minutes);
    void bypassChosen(bool bypass);
    void washerRequested();

private:
    QScrollArea* scroll_;
    QWidget* column_;
    UpdateNoticeCard* update_;
    ResumeCard* resume_;
    DeviceHeading* heading_;
    SpecsPanel* specs_;
    TestLauncher* launcher_;
    QLabel* footer_;
    TelemetryPanel* telemetry_;
};

} // namespace zantiva
