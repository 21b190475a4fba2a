#include <gtest/gtest.h>

#include <QTest>
#include <QVBoxLayout>

#include "Layout/DropdownList.h"
#include "Layout/RetroDropdown.h"
#include "Theme/Palette.h"
#include "UiTestSupport.h"

using namespace zantiva;

namespace {

struct Picker {
    QWidget window;
    RetroDropdown<int>* dropdown;
    QWidget* below;
    std::vector<int> written;

    explicit Picker(std::vector<int> options = {1, 3, 5}, int selection = 3, bool startsOpen = false,
                    Qt::LayoutDirection direction = Qt::LeftToRight) {
        window.setLayoutDirection(direction);
        auto* layout = new QVBoxLayout(&window);
        dropdown = new RetroDropdown<int>(std::move(options), selection, 90, startsOpen,
                                          [](int minutes) { return QString::number(minutes) + " min"; });
        dropdown->onSelect([this](int value) {
            written.push_back(value);
            dropdown->setSelection(value);
        });
        below = new QWidget;
        below->setMinimumHeight(150);
        layout->addWidget(dropdown, 0, Qt::AlignLeft | Qt::AlignTop);
        layout->addWidget(below);
        window.resize(300, 300);
        window.show();
        QCoreApplication::processEvents();
    }

    DropdownList& list() const { return *dropdown->list(); }
    void clickRow(int row) { QTest::mouseClick(&list(), Qt::LeftButton, {}, list().rowRect(row).center()); }
};

} // namespace

TEST(RetroDropdown, OpensBelowTheButtonOverTheViewsThatFollowAndPicksARow) {
    Picker picker;
    EXPECT_EQ(picker.dropdown->width(), 90);
    EXPECT_EQ(picker.dropdown->accessibleDescription(), "3 min");
    EXPECT_FALSE(picker.list().isVisible());

    QTest::mouseClick(picker.dropdown, Qt::LeftButton, {}, QPoint(80, 5));
    ASSERT_TRUE(picker.dropdown->isOpen());
    ASSERT_TRUE(picker.list().isVisible());
    // A child of the window drawn above the rest, just below the button; it takes no room.
    EXPECT_EQ(picker.list().parentWidget(), &picker.window);
    const QPoint button = picker.dropdown->mapTo(&picker.window, QPoint(0, 0));
    EXPECT_EQ(picker.list().pos(), button + QPoint(0, picker.dropdown->height() + 4));
    EXPECT_EQ(picker.list().rows(), (QStringList{"1 min", "3 min", "5 min"}));
    EXPECT_EQ(picker.list().selected(), 1);
    EXPECT_EQ(picker.window.childAt(picker.list().geometry().center()), &picker.list());

    picker.clickRow(2);
    EXPECT_EQ(picker.written, std::vector<int>{5}); // written once, before the list closes
    EXPECT_FALSE(picker.dropdown->isOpen());
    QCoreApplication::processEvents();
    EXPECT_FALSE(picker.list().isVisible());
    EXPECT_EQ(picker.dropdown->accessibleDescription(), "5 min");

    // The chosen row again: written again, closed.
    QTest::mouseClick(picker.dropdown, Qt::LeftButton);
    picker.clickRow(2);
    EXPECT_EQ(picker.written, (std::vector<int>{5, 5}));
    EXPECT_FALSE(picker.dropdown->isOpen());
}

TEST(RetroDropdown, TheButtonClosesTheOpenListAndEscapeOrAnOutsideClickCloseWithoutAChange) {
    Picker picker;
    QTest::mouseClick(picker.dropdown, Qt::LeftButton);
    QTest::mouseClick(picker.dropdown, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(picker.dropdown->isOpen());

    QTest::mouseClick(picker.dropdown, Qt::LeftButton);
    QTest::keyClick(picker.dropdown, Qt::Key_Escape);
    EXPECT_FALSE(picker.dropdown->isOpen());

    QTest::mouseClick(picker.dropdown, Qt::LeftButton);
    QTest::mouseClick(picker.below, Qt::LeftButton, {}, QPoint(250, 140));
    QCoreApplication::processEvents();
    EXPECT_FALSE(picker.dropdown->isOpen());
    EXPECT_TRUE(picker.written.empty());
    EXPECT_EQ(picker.dropdown->selection(), 3);
}

TEST(RetroDropdown, HoverFollowsTheRowsAndIsKeptWhenTheListCloses) {
    Picker picker;
    QTest::mouseClick(picker.dropdown, Qt::LeftButton);
    QTest::mouseMove(&picker.list(), picker.list().rowRect(0).center());
    EXPECT_EQ(picker.list().hovered(), 0);
    QTest::mouseMove(&picker.list(), picker.list().rowRect(2).center());
    EXPECT_EQ(picker.list().hovered(), 2);

    // Closed under the pointer and opened again: the row keeps its hover until the pointer moves.
    QTest::keyClick(picker.dropdown, Qt::Key_Escape);
    QCoreApplication::processEvents();
    ASSERT_FALSE(picker.list().isVisible());
    EXPECT_EQ(picker.list().hovered(), 2);
    picker.dropdown->setOpen(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(picker.list().hovered(), 2);
    // Leaving the rows for elsewhere clears it.
    QTest::mouseMove(&picker.window, QPoint(280, 280));
    EXPECT_FALSE(picker.list().hovered());
}

TEST(RetroDropdown, StartsOpenEmptyOrWithAForeignSelection) {
    Picker open({1, 3}, 3, true);
    EXPECT_TRUE(open.list().isVisible());
    QTest::keyClick(open.dropdown, Qt::Key_Escape); // the dismissal watched from the start
    EXPECT_FALSE(open.dropdown->isOpen());

    Picker foreign({1, 3}, 7);
    EXPECT_EQ(foreign.dropdown->accessibleDescription(), "7 min");
    EXPECT_FALSE(foreign.list().selected());

    Picker empty({}, 3, true);
    EXPECT_TRUE(empty.list().rows().isEmpty());
    EXPECT_EQ(empty.list().height(), 4); // the card's shadow room, no rows
    EXPECT_EQ(empty.list().width(), 90 + 4);
}

TEST(RetroDropdown, TheListsFaceLinesUpWithTheButtonInBothDirections) {
    for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        Picker picker({1, 3}, 3, true, direction);
        const QRect button(picker.dropdown->mapTo(&picker.window, QPoint(0, 0)), picker.dropdown->size());
        const QImage drawn = uitest::render(picker.list());
        // The face's border runs down both sides of the button's span; its shadow hangs out on the right.
        const int y = picker.list().rowRect(0).center().y();
        const int left = button.left() - picker.list().x();
        EXPECT_EQ(drawn.pixelColor(left, y), color(PaletteColor::outline)) << direction;
        EXPECT_EQ(drawn.pixelColor(left + button.width() - 1, y), color(PaletteColor::outline)) << direction;
        EXPECT_EQ(picker.list().y(), button.bottom() + 1 + 4) << direction;
        EXPECT_EQ(picker.list().geometry().right(), button.right() + 4) << direction;
    }
}

TEST(RetroDropdown, DisabledItIsDrawnFadedAndClosesAndStaysClosed) {
    Picker picker({1, 3, 5}, 3, true);
    ASSERT_TRUE(picker.list().isVisible());
    picker.dropdown->setEnabled(false);
    EXPECT_FALSE(picker.dropdown->isOpen());
    QTest::mouseClick(picker.dropdown, Qt::LeftButton);
    EXPECT_FALSE(picker.dropdown->isOpen());

    // The muted face at 0.45 over white, just inside the border.
    const QColor muted = color(PaletteColor::muted);
    const QColor drawn = uitest::render(*picker.dropdown).pixelColor(4, picker.dropdown->height() / 2);
    EXPECT_NEAR(drawn.red(), qRound(muted.red() * 0.45 + 255 * 0.55), 2);
    EXPECT_NEAR(drawn.blue(), qRound(muted.blue() * 0.45 + 255 * 0.55), 2);
}
