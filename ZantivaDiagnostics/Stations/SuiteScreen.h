#pragma once

#include <QWidget>
#include <vector>

#include "Presenters/SuitePresenter.h"

class QVBoxLayout;

namespace zantiva {

class ProseLabel;
class RetroBadge;
class RetroButton;
class StopConfirmation;

// The screen of a running test suite. On the leading side the run's notices and the card of
// the module in progress; on the trailing side the plan's modules with their statuses (and
// why a module failed, in text the user can select) and the Stop button, which asks inside
// the window before it reports stopConfirmed().
class SuiteScreen : public QWidget {
    Q_OBJECT

public:
    // The module list's card is this wide.
    static constexpr int listWidth = 320;

    explicit SuiteScreen(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const SuiteView& view);
    // Takes the station card; a new one replaces (and deletes) the old, nullptr just removes it.
    void setStation(QWidget* station);

    QWidget* station() const { return station_; }
    bool isConfirmingStop() const;
    RetroButton* stopButton() const { return stop_; }
    StopConfirmation* stopConfirmation() const { return confirmation_; }
    // The status word of a module's row; null for a module not in the plan shown.
    ProseLabel* statusText(TestModule module) const;
    // The failure text under a module's row; null when the module has none shown.
    ProseLabel* failureText(TestModule module) const;
    ProseLabel* notice() const { return notice_; }

signals:
    void stopConfirmed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Row {
        TestModule module;
        QWidget* line;
        ProseLabel* title;
        ProseLabel* status;
        RetroBadge* badge;
        ProseLabel* failure;
    };

    void setConfirmingStop(bool confirming);
    void rebuildRows(const std::vector<SuiteRow>& rows);

    ProseLabel* resumed_;
    ProseLabel* readingDrives_;
    QVBoxLayout* stationSlot_;
    QWidget* station_ = nullptr;
    ProseLabel* notice_;
    ProseLabel* title_;
    QVBoxLayout* rowsColumn_;
    std::vector<Row> rows_;
    RetroButton* stop_;
    StopConfirmation* confirmation_;
};

} // namespace zantiva
