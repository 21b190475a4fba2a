#pragma once

#include <QWidget>
#include <optional>

#include "Presenters/StoragePresenter.h"

class QBoxLayout;
class QGridLayout;

namespace zantiva {

class DriveHealthCard;
class MetricView;
class ProseLabel;
class RetroButton;
class RetroCard;
class RetroProgressBar;

// The storage benchmark screen: back on top; while a test runs its phase, progress,
// live throughput and stop button; after a failed run why it failed; otherwise the last
// result's speeds per test and direction and the drive health read with it. The live card
// is updated in place, so its bar moves smoothly from report to report.
class StorageScreen : public QWidget {
    Q_OBJECT
public:
    explicit StorageScreen(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const StorageScreenView& view);

    RetroButton* backButton() const { return back_; }
    RetroButton* stopButton() const { return stop_; }
    RetroCard* liveCard() const { return live_; }
    RetroCard* errorCard() const { return error_; }
    // Absent while there are no results to show.
    RetroCard* resultsCard() const { return results_; }
    DriveHealthCard* driveHealthCard() const { return driveHealth_; }

signals:
    void backRequested();
    void stopRequested();

private:
    void showResults(const std::optional<StorageResultsView>& view);

    std::optional<StorageScreenView> shown_;
    QBoxLayout* page_;
    RetroButton* back_;
    RetroCard* live_;
    ProseLabel* liveTitle_;
    ProseLabel* phase_;
    RetroProgressBar* bar_;
    MetricView* throughput_;
    RetroButton* stop_;
    RetroCard* error_;
    ProseLabel* errorTitle_;
    ProseLabel* errorMessage_;
    RetroCard* results_ = nullptr;
    DriveHealthCard* driveHealth_;
};

} // namespace zantiva
