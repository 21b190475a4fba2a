#include <gtest/gtest.h>

#include <QWidget>
#include <limits>

#include "Layout/FlowLayout.h"

using namespace zantiva;
using Row = FlowLayout::Row;

namespace {

constexpr qreal unlimited = std::numeric_limits<qreal>::infinity();

// A child that asks for exactly its size.
class Block : public QWidget {
public:
    explicit Block(QSize size) : size_(size) {}
    QSize sizeHint() const override { return size_; }

private:
    QSize size_;
};

std::vector<QSizeF> widths(std::initializer_list<qreal> list, qreal height = 20) {
    std::vector<QSizeF> sizes;
    for (qreal width : list) sizes.emplace_back(width, height);
    return sizes;
}

} // namespace

TEST(FlowLayoutRows, BreaksGreedilyAndAnEqualFitStaysOnTheRow) {
    EXPECT_TRUE(FlowLayout::rows({}, 100, 10).empty());
    EXPECT_EQ(FlowLayout::size({}, 8), QSizeF(0, 0));

    EXPECT_EQ(FlowLayout::rows(widths({40, 40, 40}), 140, 10), (std::vector<Row>{{0, 3, 140, 20}}));
    const auto broken = FlowLayout::rows({{40, 20}, {40, 30}, {40, 25}}, 139, 10);
    EXPECT_EQ(broken, (std::vector<Row>{{0, 2, 90, 30}, {2, 3, 40, 25}}));
    EXPECT_EQ(FlowLayout::size(broken, 8), QSizeF(90, 30 + 8 + 25));

    // Without a width limit everything goes on one row.
    EXPECT_EQ(FlowLayout::rows(widths({40, 50, 60}), unlimited, 10), (std::vector<Row>{{0, 3, 170, 20}}));
}

TEST(FlowLayoutRows, AChildWiderThanTheRowStandsAlone) {
    const auto rows = FlowLayout::rows(widths({300, 20, 20}), 200, 10);
    EXPECT_EQ(rows, (std::vector<Row>{{0, 1, 300, 20}, {1, 3, 50, 20}}));
    EXPECT_EQ(FlowLayout::size(rows, 0).width(), 300);
    // Earlier rows are never revisited: a small child after a break does not go back up.
    EXPECT_EQ(FlowLayout::rows(widths({150, 100, 40}), 200, 10),
              (std::vector<Row>{{0, 1, 150, 20}, {1, 3, 150, 20}}));
}

TEST(FlowLayout, PlacesChildrenAtTheirSizeCentredInTheirRowAndMirrorsInRightToLeft) {
    for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QWidget host;
        host.setLayoutDirection(direction);
        auto* flow = new FlowLayout(&host, 10, 8);
        auto* a = new Block({40, 20});
        auto* b = new Block({40, 30});
        auto* c = new Block({40, 20});
        for (QWidget* child : {a, b, c}) flow->addWidget(child);

        EXPECT_EQ(flow->sizeHint(), QSize(140, 30));
        EXPECT_EQ(flow->heightForWidth(139), 30 + 8 + 20);
        EXPECT_EQ(flow->minimumSize(), QSize(40, 30));

        flow->setGeometry(QRect(0, 0, 139, 100));
        const auto x = [&](int left, int width) { return direction == Qt::LeftToRight ? left : 139 - left - width; };
        EXPECT_EQ(a->geometry(), QRect(x(0, 40), 5, 40, 20)); // 5 below the top of a 30-high row
        EXPECT_EQ(b->geometry(), QRect(x(50, 40), 0, 40, 30));
        EXPECT_EQ(c->geometry(), QRect(x(0, 40), 38, 40, 20));

        // Placement breaks again for the width it is given.
        flow->setGeometry(QRect(0, 0, 200, 100));
        EXPECT_EQ(c->geometry().top(), 5);
    }
}

TEST(FlowLayout, HiddenChildrenTakeNoPlace) {
    QWidget host;
    auto* flow = new FlowLayout(&host, 10, 8);
    auto* hidden = new Block({500, 50});
    flow->addWidget(new Block({40, 20}));
    flow->addWidget(hidden);
    hidden->hide();
    EXPECT_EQ(flow->sizeHint(), QSize(40, 20));
    EXPECT_EQ(flow->count(), 2);
}
