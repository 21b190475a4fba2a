#include <gtest/gtest.h>

#include <QHBoxLayout>

#include "Controls/GradeBadge.h"
#include "Theme/Palette.h"
#include "UiTestSupport.h"

using namespace zantiva;

class GradeBadgeDirection : public ::testing::TestWithParam<Qt::LayoutDirection> {};

TEST_P(GradeBadgeDirection, TheShadowFallsBottomRightAndTheCornersScale) {
    QWidget window;
    window.setLayoutDirection(GetParam());
    auto* layout = new QHBoxLayout(&window);
    auto* badge = new GradeBadge(DeviceGrade::b, 100);
    layout->addWidget(badge);
    EXPECT_EQ(badge->size(), QSize(104, 104));
    EXPECT_EQ(badge->layoutDirection(), Qt::LeftToRight);

    const QImage image = uitest::render(*badge);
    EXPECT_EQ(image.pixelColor(102, 60).rgb(), color(PaletteColor::outline).rgb());
    EXPECT_EQ(image.pixelColor(60, 102).rgb(), color(PaletteColor::outline).rgb());
    EXPECT_EQ(image.pixelColor(1, 102).rgb(), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixelColor(10, 50).rgb(), color(PaletteColor::tertiary).rgb());
    // Corners of radius 28: the tile's corner point itself stays clear.
    EXPECT_EQ(image.pixelColor(3, 3).rgb(), QColor(Qt::white).rgb());
}

INSTANTIATE_TEST_SUITE_P(BothDirections, GradeBadgeDirection, ::testing::Values(Qt::LeftToRight, Qt::RightToLeft));
