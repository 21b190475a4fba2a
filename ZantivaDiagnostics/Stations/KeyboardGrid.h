#pragma once

#include <QWidget>
#include <vector>

#include "Presenters/InputStationPresenter.h"

namespace zantiva {

// The drawn keyboard of the key sweep: rows of caps from the top, each from the left, and left to
// right in either interface language, like the keyboard under the user's hands.
class KeyboardGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr qreal unit = 34;     // a letter key's width
    static constexpr qreal gap = 5;       // between keys and between rows
    static constexpr qreal capHeight = 30;

    explicit KeyboardGrid(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const std::vector<std::vector<KeyCapView>>& rows);
    const std::vector<std::vector<KeyCapView>>& rows() const { return rows_; }

    // A key of relative width w covers w letter keys and the w - 1 gaps between them.
    static qreal capWidth(double width) { return width * unit + (width - 1) * gap; }
    // Where each cap lies, row by row.
    std::vector<std::vector<QRectF>> capRects() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::vector<KeyCapView>> rows_;
};

} // namespace zantiva
