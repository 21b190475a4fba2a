#pragma once

#include <QWidget>
#include <optional>

#ifndef Q_MOC_RUN
#include "Presenters/ExternalRunPresenter.h"
#endif

class QBoxLayout;
class QLabel;

namespace zantiva {

class ConsoleView;
class HardwareText;
class HistoryChart;
class MachineTextLabel;
class ProseLabel;
class RetroActivityBar;
class RetroButton;
class RetroCard;
class RetroProgressBar;

// The screen of an outside-benchmark run, in a band 620 to 900 wide. While the plan runs:
// what runs with its progress (or the rest with its clock and Skip), the status line, the
// live CPU and GPU load and Stop. Afterwards: the scores, what went wrong, whether the CSV
// file was written, the way back and Open CSV. The tools' console is under either and can
// be folded; the running parts are updated in place, so the bars move smoothly.
class ExternalRunScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int minimumBand = 620;
    static constexpr int maximumBand = 900;

    explicit ExternalRunScreen(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const ExternalRunView& view);

    RetroButton* stopButton() const { return stop_; }
    RetroButton* skipButton() const { return skip_; }
    RetroButton* consoleToggle() const { return consoleToggle_; }
    RetroButton* backButton() const { return back_; }
    RetroButton* openCsvButton() const { return openCsv_; }
    QWidget* runningSection() const { return running_; }
    QWidget* finishedSection() const { return finished_; }
    ConsoleView* console() const { return console_; }
    bool isConsoleShown() const { return showsConsole_; }

signals:
    void stopRequested();
    void skipCooldownRequested();
    void backRequested();
    void openCsvRequested();

protected:
    // The console unfolds again the next time the screen comes up.
    void hideEvent(QHideEvent* event) override;

private:
    struct LoadCard {
        RetroCard* card;
        ProseLabel* title;
        HardwareText* temperature;
        HardwareText* load;
        ProseLabel* caption;
        QBoxLayout* chartSlot;
        HistoryChart* chart = nullptr;
    };

    // The header, the status card with the step or the rest, and the load cards.
    void layOutRunning();
    // The finished section, the console card and the buttons in a centred band that scrolls.
    void layOutPage();
    static LoadCard makeLoadCard();
    static void showLoad(LoadCard& card, const ExternalLoadView& view);
    void showRunning(const ExternalRunningView& view);
    void showFinished(const ExternalFinishedView& view);
    void showConsole();

    std::optional<ExternalRunView> shown_;
    bool showsConsole_ = true;
    QWidget* running_;
    ProseLabel* runningTitle_;
    RetroButton* stop_;
    ProseLabel* counter_;
    QWidget* step_;
    ProseLabel* stepLabel_;
    RetroProgressBar* progress_;
    RetroActivityBar* activity_;
    MachineTextLabel* elapsed_;
    ProseLabel* noProgress_;
    QWidget* rest_;
    ProseLabel* restTitle_;
    HardwareText* remaining_;
    RetroButton* skip_;
    ProseLabel* status_;
    LoadCard cpu_;
    LoadCard gpu_;
    QWidget* finished_;
    QBoxLayout* finishedContent_;
    RetroCard* consoleCard_;
    ProseLabel* consoleTitle_;
    RetroButton* consoleToggle_;
    ConsoleView* console_;
    QWidget* finishedButtons_;
    RetroButton* back_;
    RetroButton* openCsv_;
};

} // namespace zantiva
