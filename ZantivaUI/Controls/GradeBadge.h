#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

#include "Model/DeviceGrade.h"

namespace zantiva {

// A device's letter grade as a square tile on a 4-pixel hard shadow: cyan for S and A, olive
// for B and C, crimson for D to F, a card-grey tile with an em dash while there is no grade.
// The letter (0.56 of the side) and the corners (0.28) scale with the side; the badge is laid
// out left to right in both languages.
class GradeBadge : public QWidget {
    Q_OBJECT
public:
    struct Look {
        QString letter;
        QColor fill;
        QColor letterColor;
    };
    static Look look(std::optional<DeviceGrade> grade);

    GradeBadge(std::optional<DeviceGrade> grade, qreal side, QWidget* parent = nullptr);

    std::optional<DeviceGrade> grade() const { return grade_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<DeviceGrade> grade_;
    qreal side_;
};

} // namespace zantiva
