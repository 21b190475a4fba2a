#pragma once

#include <QAbstractButton>

#include "Presenters/DeviceHeadingPresenter.h"

namespace zantiva {

// The device's letter grade on a 52-pixel disc in the grade's tone with a 2-pixel outline;
// only the disc takes clicks, not the corners around it.
class GradeDot : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int side = 52;

    explicit GradeDot(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const GradeDotView& view);
    const GradeDotView& view() const { return view_; }

    QSize sizeHint() const override { return {side, side}; }

protected:
    bool hitButton(const QPoint& position) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    GradeDotView view_;
};

} // namespace zantiva
