#include <gtest/gtest.h>

#include <QHBoxLayout>

#include "Controls/GradeBadge.h"
#include "Theme/Palette.h"
#include "UiTestSupport.h"

using namespace zantiva;

TEST(GradeBadge, TonesShareTilesAndOnlyTheLetterDiffers) {
    EXPECT_EQ(GradeBadge::look(DeviceGrade::s).fill, color(PaletteColor::secondary));
    EXPECT_EQ(GradeBadge::look(DeviceGrade::a).fill, color(PaletteColor::secondary));
    EXPECT_EQ(GradeBadge::look(DeviceGrade::b).fill, color(PaletteColor::tertiary));
    EXPECT_EQ(GradeBadge::look(DeviceGrade::c).fill, color(PaletteColor::tertiary));
    for (const DeviceGrade grade : {DeviceGrade::d, DeviceGrade::e, DeviceGrade::f})
        EXPECT_EQ(GradeBadge::look(grade).fill, color(PaletteColor::primary));
    EXPECT_EQ(GradeBadge::look(DeviceGrade::e).letter, "E");
    EXPECT_EQ(GradeBadge::look(DeviceGrade::e).letterColor, color(PaletteColor::outline));

    const GradeBadge::Look none = GradeBadge::look(std::nullopt);
    EXPECT_EQ(none.letter, QStringLiteral("\u2014"));
    EXPECT_EQ(none.fill, color(PaletteColor::card));
    EXPECT_EQ(none.letterColor, color(PaletteColor::text));

    GradeBadge badge(std::nullopt, 50);
    EXPECT_EQ(badge.accessibleName(), QStringLiteral("\u2014"));
    badge.setGrade(DeviceGrade::a);
    EXPECT_EQ(badge.accessibleName(), "A");
}

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
