#include <gtest/gtest.h>

#include <QHBoxLayout>

#include "Controls/GradeBadge.h"
#include "Theme/Palette.h"
#include "UiTestSupport.h"

using namespace zantiva;
namespace Palette = zantiva::Theme::Palette;

TEST(GradeBadge, TonesShareTilesAndOnlyTheLetterDiffers) {
    EXPECT_EQ(GradeBadge::look(DeviceGrade::s).fill, Palette::secondary());
    EXPECT_EQ(GradeBadge::look(DeviceGrade::a).fill, Palette::secondary());
    EXPECT_EQ(GradeBadge::look(DeviceGrade::b).fill, Palette::tertiary());
    EXPECT_EQ(GradeBadge::look(DeviceGrade::c).fill, Palette::tertiary());
    for (const DeviceGrade grade : {DeviceGrade::d, DeviceGrade::e, DeviceGrade::f})
        EXPECT_EQ(GradeBadge::look(grade).fill, Palette::primary());
    EXPECT_EQ(GradeBadge::look(DeviceGrade::e).letter, "E");
    EXPECT_EQ(GradeBadge::look(DeviceGrade::e).letterColor, Palette::outline());

    const GradeBadge::Look none = GradeBadge::look(std::nullopt);
    EXPECT_EQ(none.letter, QStringLiteral("\u2014"));
    EXPECT_EQ(none.fill, Palette::card());
    EXPECT_EQ(none.letterColor, Palette::text());

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
    EXPECT_EQ(image.pixelColor(102, 60).rgb(), Palette::outline().rgb());
    EXPECT_EQ(image.pixelColor(60, 102).rgb(), Palette::outline().rgb());
    EXPECT_EQ(image.pixelColor(1, 102).rgb(), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixelColor(10, 50).rgb(), Palette::tertiary().rgb());
    // Corners of radius 28: the tile's corner point itself stays clear.
    EXPECT_EQ(image.pixelColor(3, 3).rgb(), QColor(Qt::white).rgb());
}

INSTANTIATE_TEST_SUITE_P(BothDirections, GradeBadgeDirection, ::testing::Values(Qt::LeftToRight, Qt::RightToLeft));
