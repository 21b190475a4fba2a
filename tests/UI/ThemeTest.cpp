#include <gtest/gtest.h>

#include <QPointF>
#include <QVariantAnimation>

#include "Theme/Metric.h"
#include "Theme/Motion.h"
#include "Theme/Palette.h"
#include "Theme/ToneColors.h"

using namespace zantiva;
namespace Palette = zantiva::Theme::Palette;

TEST(ThemeColours, HexTakesTheLowerThreeBytesAndTheGivenOpacity) {
    EXPECT_EQ(colorFromHex(0xD61849, 1.0), Palette::primary());
    EXPECT_EQ(Palette::primary().red(), 214);
    EXPECT_EQ(Palette::primary().green(), 24);
    EXPECT_EQ(Palette::primary().blue(), 73);

    const QColor halfBlack = colorFromHex(0xFF000000, 0.5);
    EXPECT_EQ(halfBlack.rgb() & 0xFFFFFF, 0u);
    EXPECT_NEAR(halfBlack.alphaF(), 0.5, 1e-3);

    EXPECT_NEAR(Palette::highlight().alphaF(), 0.28, 1e-3);
    EXPECT_EQ(Palette::highlight().red(), 255);
}

TEST(ThemeColours, OpacityIsMultipliedNotReplaced) {
    EXPECT_NEAR(withOpacity(colorFromHex(0xF9FAFB, 0.5), 0.65).alphaF(), 0.325, 1e-3);
    EXPECT_EQ(withOpacity(Palette::text(), 0.75).rgb() & 0xFFFFFF, Palette::text().rgb() & 0xFFFFFF);
}

TEST(ThemeColours, ToneAndDriveColoursAgree) {
    EXPECT_EQ(color(DeviceGradeTone::good), color(DriveHealthStatus::good));
    EXPECT_EQ(color(DeviceGradeTone::fair), color(DriveHealthStatus::caution));
    EXPECT_EQ(color(DeviceGradeTone::poor), color(DriveHealthStatus::bad));
    EXPECT_EQ(color(DeviceGradeTone::good), Palette::secondary());
    EXPECT_EQ(color(DeviceGradeTone::poor), Palette::primary());
    // No verdict is the neutral card grey, not an accent.
    EXPECT_EQ(color(DriveHealthStatus::unknown), Palette::card());
}

TEST(ThemeMotion, EaseOutOverEightyMilliseconds) {
    EXPECT_EQ(Theme::motion().durationMs, 80);
    const QEasingCurve& curve = Theme::motion().curve;
    EXPECT_NEAR(curve.valueForProgress(0), 0, 1e-6);
    EXPECT_NEAR(curve.valueForProgress(1), 1, 1e-6);
    // Fast start, slow finish.
    EXPECT_GT(curve.valueForProgress(0.25), 0.35);
    EXPECT_GT(curve.valueForProgress(0.5), 0.65);

    QVariantAnimation animation;
    Theme::applyMotion(animation);
    EXPECT_EQ(animation.duration(), 80);
}
