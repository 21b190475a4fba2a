#pragma once

#include <QLayout>
#include <QSizeF>
#include <vector>

namespace zantiva {

// Places its items in rows, the way words wrap in a paragraph: each item at its own preferred
// size, a new row when the next one would not fit the width. Rows start at the leading edge
// (Qt mirrors them in right-to-left layout) and each item is centred in its row's height.
// Nothing is cached: every pass measures the items again.
class FlowLayout : public QLayout {
public:
    struct Row {
        int first; // the items first ..< end, in item order; never empty
        int end;
        qreal width;  // the items' widths plus the gaps between them
        qreal height; // the tallest item's height

        bool operator==(const Row&) const = default;
    };

    // Greedy, in one pass over the sizes in order: an item joins the last row when that row's
    // width + spacing + its width is at most maxWidth, else it opens a new row. The first item
    // always opens the first row, however wide it is.
    static std::vector<Row> rows(const std::vector<QSizeF>& sizes, qreal maxWidth, qreal spacing);
    // The widest row by the rows' heights plus lineSpacing between them; (0, 0) without rows.
    static QSizeF size(const std::vector<Row>& rows, qreal lineSpacing);

    FlowLayout(QWidget* parent, qreal spacing, qreal lineSpacing);
    ~FlowLayout() override;

    qreal lineSpacing() const { return lineSpacing_; }

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    // All items on one row.
    QSize sizeHint() const override;
    // The widest item, which any width must hold.
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    std::vector<QLayoutItem*> visibleItems() const;
    static std::vector<QSizeF> idealSizes(const std::vector<QLayoutItem*>& items);
    QSize measured(qreal width) const;

    qreal spacing_;
    qreal lineSpacing_;
    QList<QLayoutItem*> items_;
};

} // namespace zantiva
