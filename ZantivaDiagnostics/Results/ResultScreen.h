#pragma once

#include <QWidget>
#include <optional>

#include "Presenters/ResultPresenter.h"

class QBoxLayout;

namespace zantiva {

class DriveHealthCard;
class RetroButton;
class RetroCard;
class StorageSummaryButton;

// The results screen: the grade card, the problems of the last run, the performance results
// beside the hardware checks, the drive health, the last storage result and the outside
// benchmarks' scores, on a page that scrolls. Its only actions are navigation.
class ResultScreen : public QWidget {
    Q_OBJECT
public:
    explicit ResultScreen(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const ResultScreenView& view);

    RetroButton* backButton() const { return back_; }
    DriveHealthCard* driveHealthCard() const { return driveHealth_; }
    // Absent while there is no storage result.
    StorageSummaryButton* storageCard() const { return storage_; }
    // The outside benchmarks' scores, the last card; absent while none has a score.
    RetroCard* externalCard() const { return external_; }

signals:
    void backRequested();
    void storageRequested();

private:
    std::optional<ResultScreenView> shown_;
    QBoxLayout* page_;
    RetroButton* back_;
    QBoxLayout* cards_; // everything between the back button and the drive health
    DriveHealthCard* driveHealth_;
    StorageSummaryButton* storage_ = nullptr;
    QBoxLayout* externalSlot_; // after the storage result
    RetroCard* external_ = nullptr;
};

} // namespace zantiva
