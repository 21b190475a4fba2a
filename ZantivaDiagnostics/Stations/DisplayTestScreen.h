#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "Presenters/DisplayTestPresenter.h"

class QStackedLayout;
class QVBoxLayout;

namespace zantiva {

class DisplayDeadPixelGrid;
class DisplayPacedSquare;
class DisplayRefreshClock;
class HardwareText;
class ProseLabel;
class RetroButton;
class RetroCheckBox;

// The full-screen display test's pages: the introduction, a solid colour, the dead-pixel
// pattern, the moving square with the measured rate, and the defect checklist, with the exit
// button in the top trailing corner of each. A click anywhere but on the checklist asks for
// the next page.
class DisplayTestScreen : public QWidget {
    Q_OBJECT
public:
    // What moves the refresh page's square: the display's own clock on a GL surface (the
    // rate is measured), or a timer where the platform has no GL (nothing is measured).
    enum class SquareClock { display, timer };
    // The display's clock where the platform has GL, else the timer.
    static SquareClock availableClock();

    explicit DisplayTestScreen(SquareClock clock = availableClock(), QWidget* parent = nullptr);

    using QWidget::show;
    void show(const DisplayTestView& view);

    QWidget* currentPage() const;
    QWidget* solidPage() const { return solid_; }
    DisplayDeadPixelGrid* deadPixelGrid() const { return deadPixels_; }
    // The moving square: on the GL clock where the platform has GL, else on a timer.
    DisplayRefreshClock* refreshClock() const { return clock_; }
    DisplayPacedSquare* pacedSquare() const { return pacedSquare_; }
    HardwareText* rate() const { return rate_; }
    const std::vector<RetroCheckBox*>& checkBoxes() const { return checkBoxes_; }
    RetroButton* finishButton() const { return finish_; }
    RetroButton* exitButton() const { return exit_; }

signals:
    void advanceRequested();
    void exitRequested();
    void finishRequested();
    void tickChanged(const std::string& issue, bool ticked);
    // A frame of the refresh page reached the screen (steady-clock seconds).
    void frameShown(double seconds);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* makeIntro();
    QWidget* makeSolid();
    QWidget* makeDeadPixels();
    QWidget* makeRefresh(SquareClock clock);
    QWidget* makeChecklist();
    void showRefresh(const DisplayTestView& view);
    void showChecklist(const DisplayTestView& view);
    void placeExit();

    DisplayTestView view_;
    QStackedLayout* pages_;
    QWidget* intro_ = nullptr;
    ProseLabel* introTitle_ = nullptr;
    ProseLabel* introBody_ = nullptr;
    ProseLabel* introHint_ = nullptr;
    ProseLabel* introExit_ = nullptr;
    ProseLabel* introBegin_ = nullptr;
    QWidget* solid_ = nullptr;
    ProseLabel* solidCaption_ = nullptr;
    QWidget* deadPixelPage_ = nullptr;
    DisplayDeadPixelGrid* deadPixels_ = nullptr;
    ProseLabel* deadPixelCaption_ = nullptr;
    QWidget* refresh_ = nullptr;
    QVBoxLayout* refreshColumn_ = nullptr;
    DisplayRefreshClock* clock_ = nullptr;
    DisplayPacedSquare* pacedSquare_ = nullptr;
    ProseLabel* refreshTitle_ = nullptr;
    ProseLabel* refreshBody_ = nullptr;
    HardwareText* rate_ = nullptr;
    ProseLabel* refreshHint_ = nullptr;
    QWidget* checklist_ = nullptr;
    ProseLabel* checklistTitle_ = nullptr;
    QLayout* checkColumn_ = nullptr;
    std::vector<RetroCheckBox*> checkBoxes_;
    RetroButton* finish_ = nullptr;
    RetroButton* exit_;
};

} // namespace zantiva
