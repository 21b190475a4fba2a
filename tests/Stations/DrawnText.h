#pragma once

#include <QLabel>
#include <QStringList>
#include <QTextLayout>

namespace zantiva {

// A plain-text label's text laid out as the label paints it (its font, direction, alignment,
// wrapping and contents rectangle), read back glyph by glyph.
class DrawnText {
public:
    explicit DrawnText(const QLabel& label);

    // Where the label's drawing puts ink past its edges, when it does.
    QStringList linesOutside() const;
    // Figures (a run of Latin letters and digits with a digit in it) whose characters are not
    // drawn left to right, and neighbouring figures of a right-to-left line drawn left to right.
    QStringList figuresOutOfOrder() const;

private:
    struct Figure {
        int start;
        int end; // one past its last character
    };
    std::vector<Figure> figures(const QTextLine& line) const;
    qreal drawnX(int position) const;

    const QLabel& label_;
    QString text_;
    QRectF contents_;
    Qt::LayoutDirection direction_;
    QTextLayout layout_;
};

} // namespace zantiva
