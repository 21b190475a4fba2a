#pragma once

#include <QWidget>

#include "Presenters/RamStationPresenter.h"


namespace zantiva {

class ProseLabel;
class RetroProgressBar;

// The memory test's page: the pass being written or verified, over the test's bar.
class RAMStation : public QWidget {
    Q_OBJECT

public:
    explicit RAMStation(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const RamStationView& view);

    ProseLabel* pass() const { return pass_; }
    RetroProgressBar* bar() const { return bar_; }

private:
    ProseLabel* pass_;
    RetroProgressBar* bar_;
};

} // namespace zantiva
