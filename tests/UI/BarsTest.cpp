#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <cmath>
#include <limits>

#include "Cards/RetroActivityBar.h"
#include "Cards/RetroBar.h"
#include "Cards/RetroProgressBar.h"
#include "Theme/Palette.h"
#include "UiTestSupport.h"

using namespace zantiva;

TEST(ProgressValue, IsHeldBetweenZeroAndOneAndReadAsAWholePercent) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(RetroBar::normalizedProgress(-0.5), 0);
    EXPECT_EQ(RetroBar::normalizedProgress(1.7), 1);
    EXPECT_EQ(RetroBar::normalizedProgress(std::nan("")), 0);
    EXPECT_EQ(RetroBar::normalizedProgress(inf), 0);
    EXPECT_EQ(RetroBar::normalizedProgress(-inf), 0);
    EXPECT_EQ(RetroBar::normalizedProgress(0.42), 0.42);

    EXPECT_EQ(RetroBar::percentText(0), "0%");
    EXPECT_EQ(RetroBar::percentText(1), "100%");
    EXPECT_EQ(RetroBar::percentText(0.125), "13%");
    EXPECT_EQ(RetroBar::percentText(0.5), "50%");

    RetroProgressBar bar(std::nan(""), color(PaletteColor::secondary));
    EXPECT_EQ(bar.value(), 0);
    EXPECT_EQ(bar.accessibleName(), "0%");
    bar.setValue(2.5);
    EXPECT_EQ(bar.value(), 1);
    EXPECT_EQ(bar.accessibleName(), "100%");
}

TEST(ProgressValue, TheFillStartsAtTheLeadingEdge) {
    const QRectF track(0, 0, 200, 22);
    EXPECT_EQ(RetroBar::progressFill(track, 0.125, Qt::LeftToRight), QRectF(0, 0, 25, 22));
    EXPECT_EQ(RetroBar::progressFill(track, 0.125, Qt::RightToLeft), QRectF(175, 0, 25, 22));
}

TEST(ProgressValue, ANewValueIsReachedGraduallyWhileShown) {
    RetroProgressBar bar(0.2, color(PaletteColor::secondary));
    bar.show();
    bar.setValue(0.8);
    EXPECT_EQ(bar.value(), 0.8);
    EXPECT_EQ(bar.shownValue(), 0.2);
    EXPECT_TRUE(uitest::settles([&] { return bar.shownValue() > 0.2 && bar.shownValue() < 0.8; }));
    EXPECT_TRUE(uitest::settles([&] { return bar.shownValue() == 0.8; }));
}

TEST(ProgressBar, DrawsItsFillFromTheRightInARightToLeftWindow) {
    QWidget window;
    window.setLayoutDirection(Qt::RightToLeft);
    auto* layout = new QHBoxLayout(&window);
    auto* bar = new RetroProgressBar(0.25, color(PaletteColor::secondary));
    layout->addWidget(bar);
    bar->setFixedWidth(200);
    window.show();
    const QImage image = uitest::render(*bar);
    EXPECT_EQ(image.pixelColor(180, 11).rgb(), color(PaletteColor::secondary).rgb());
    EXPECT_EQ(image.pixelColor(100, 11).rgb(), color(PaletteColor::muted).rgb());
    // The outline inside the capsule's edge.
    EXPECT_EQ(image.pixelColor(100, 0).rgb(), color(PaletteColor::outline).rgb());
}

TEST(ActivityBlock, SweepsFromOutsideLeftToPastRightOncePerPeriod) {
    const double width = 100;
    const RetroBar::Block start = RetroBar::activityBlock(0, width);
    EXPECT_DOUBLE_EQ(start.width, 28);
    EXPECT_DOUBLE_EQ(start.x, -28);

    const RetroBar::Block middle = RetroBar::activityBlock(0.8, width);
    EXPECT_NEAR(middle.x, 36, 1e-9);
    EXPECT_NEAR(middle.x + middle.width, 64, 1e-9);

    EXPECT_NEAR(RetroBar::activityBlock(1.6 - 1e-9, width).x, 100, 1e-6);
    // Whole periods later it stands at the same place.
    EXPECT_NEAR(RetroBar::activityBlock(0.8 + 1.6 * 1000, width).x, middle.x, 1e-6);
    EXPECT_NEAR(RetroBar::activityBlock(-0.8, width).x, middle.x, 1e-9);
}

TEST(ActivityBar, RunsOnlyWhileShownAndStaysLeftToRight) {
    QWidget window;
    window.setLayoutDirection(Qt::RightToLeft);
    auto* layout = new QHBoxLayout(&window);
    auto* bar = new RetroActivityBar(color(PaletteColor::primary));
    layout->addWidget(bar);
    EXPECT_EQ(bar->layoutDirection(), Qt::LeftToRight);
    EXPECT_FALSE(bar->isRunning());
    window.show();
    EXPECT_TRUE(bar->isRunning());
    window.hide();
    EXPECT_FALSE(bar->isRunning());
}
