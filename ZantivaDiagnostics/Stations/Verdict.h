#pragma once

#include <QWidget>

#include "Presenters/StationFramePresenter.h"

namespace zantiva {

class RetroButton;

// The two buttons that close an interactive check: Continue (only while the check allows it)
// and Report Issue. What either ends with is the page's business.
class Verdict : public QWidget {
    Q_OBJECT

public:
    explicit Verdict(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const VerdictView& view);

    RetroButton* continueButton() const { return continue_; }
    RetroButton* issueButton() const { return issue_; }

signals:
    void continuePressed();
    void issuePressed();

private:
    RetroButton* continue_;
    RetroButton* issue_;
};

} // namespace zantiva
