#pragma once

#include <QWidget>

#ifndef Q_MOC_RUN
#include "Presenters/DeviceHeadingPresenter.h"
#endif

namespace zantiva {

class FittedHardwareText;
class GradeDot;

// The machine in large type under a caption of its maker and system, and beside its name
// the grade dot once results exist. Both lines read left to right and stand at the
// leading edge; the name shrinks to 0.6 of its 30 pixels before it is cut.
class DeviceHeading : public QWidget {
    Q_OBJECT
public:
    explicit DeviceHeading(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const DeviceHeadingView& view);

    FittedHardwareText* caption() const { return caption_; }
    FittedHardwareText* name() const { return name_; }
    GradeDot* gradeDot() const { return gradeDot_; }

signals:
    // The grade dot was clicked: the results behind the grade are asked for.
    void gradeRequested();

protected:
    void changeEvent(QEvent* event) override;

private:
    FittedHardwareText* caption_;
    FittedHardwareText* name_;
    GradeDot* gradeDot_;
};

} // namespace zantiva
