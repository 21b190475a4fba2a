#include <gtest/gtest.h>

#include <QVariantAnimation>
#include <iterator>
#include <set>

#include "Theme/Motion.h"
#include "Theme/Palette.h"
#include "Theme/ToneColors.h"

using namespace zantiva;

TEST(ThemeColours, EachNameIsItsOwnSharedColour) {
    using enum PaletteColor;
    const PaletteColor names[] = {primary, secondary, tertiary, surface,       card,      outline,
                                  text,    muted,     outlineSubtle, onPrimary, onSecondary, highlight};
    std::set<QRgb> seen;
    for (const PaletteColor name : names) {
        EXPECT_EQ(&color(name), &color(name));
        seen.insert(color(name).rgba());
    }
    EXPECT_EQ(seen.size(), std::size(names));
    EXPECT_LT(color(highlight).alpha(), 255); // the only translucent one
}

TEST(ThemeColours, OpacityIsMultipliedNotReplaced) {
    EXPECT_NEAR(withOpacity(withOpacity(color(PaletteColor::text), 0.5), 0.65).alphaF(), 0.325, 1e-3);
    EXPECT_EQ(withOpacity(color(PaletteColor::text), 0.75).rgb(), color(PaletteColor::text).rgb());
}

TEST(ThemeColours, ToneAndDriveColoursAgree) {
    EXPECT_EQ(color(DeviceGradeTone::good), color(DriveHealthStatus::good));
    EXPECT_EQ(color(DeviceGradeTone::fair), color(DriveHealthStatus::caution));
    EXPECT_EQ(color(DeviceGradeTone::poor), color(DriveHealthStatus::bad));
    // No verdict is the neutral card grey, not an accent.
    EXPECT_EQ(color(DriveHealthStatus::unknown), color(PaletteColor::card));
}

TEST(ThemeMotion, AnEaseOutCurveThatAnimationsTake) {
    const QEasingCurve& curve = Theme::motion().curve;
    EXPECT_NEAR(curve.valueForProgress(0), 0, 1e-6);
    EXPECT_NEAR(curve.valueForProgress(1), 1, 1e-6);
    // Fast start, slow finish.
    EXPECT_GT(curve.valueForProgress(0.25), 0.35);
    EXPECT_GT(curve.valueForProgress(0.5), 0.65);

    QVariantAnimation animation;
    Theme::applyMotion(animation);
    EXPECT_EQ(animation.duration(), Theme::motion().durationMs);
    EXPECT_EQ(animation.easingCurve(), curve);
}
