#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>

#include "Controls/RetroCheckBox.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "UiTestSupport.h"

using namespace zantiva;

TEST(RetroCheckBox, TheWholeRowTogglesLabelAndGapIncluded) {
    RetroCheckBox box("Include the GPU");
    box.resize(box.sizeHint());
    box.show();
    QSignalSpy toggles(&box, &QAbstractButton::toggled);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(box.isChecked());
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(25, 10));
    EXPECT_FALSE(box.isChecked());
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 5, 10));
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(toggles.count(), 3);
}

TEST(RetroCheckBox, AnEmptyMutedBoxAtLeastTwentyHighAtTheTopOfTheLabel) {
    RetroCheckBox box("x");
    box.setFont(vazirFont(VazirWeight::medium, 9));
    EXPECT_GE(box.sizeHint().height(), 20);
    box.resize(box.sizeHint());
    QImage image = uitest::render(box);
    EXPECT_EQ(image.pixelColor(10, 10).rgb(), color(PaletteColor::muted).rgb());
    EXPECT_EQ(image.pixelColor(10, 0).rgb(), color(PaletteColor::outline).rgb());

    box.setChecked(true);
    image = uitest::render(box);
    EXPECT_EQ(image.pixelColor(3, 10).rgb(), color(PaletteColor::primary).rgb());

    RetroCheckBox tall("A long option text that must wrap onto several lines");
    const int height = tall.heightForWidth(120);
    EXPECT_GT(height, 20);
    tall.resize(120, height);
    EXPECT_EQ(tall.boxRect(), QRect(0, 0, 20, 20));
}

TEST(RetroCheckBox, DisabledTheRowIsDrawnFadedAndTakesNoClick) {
    RetroCheckBox box("Skip the peripherals");
    box.resize(box.sizeHint());
    box.setChecked(true);
    box.setEnabled(false);
    box.show();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(box.isChecked());
    const QColor primary = color(PaletteColor::primary);
    const QColor drawn = uitest::render(box).pixelColor(3, 10);
    EXPECT_NEAR(drawn.red(), qRound(primary.red() * 0.45 + 255 * 0.55), 2);
    EXPECT_NEAR(drawn.green(), qRound(primary.green() * 0.45 + 255 * 0.55), 2);
}

TEST(RetroCheckBox, TheBoxLeadsInARightToLeftRow) {
    QWidget window;
    window.setLayoutDirection(Qt::RightToLeft);
    auto* layout = new QHBoxLayout(&window);
    auto* box = new RetroCheckBox("گزینه");
    layout->addWidget(box);
    box->resize(200, 20);
    EXPECT_EQ(box->boxRect(), QRect(180, 0, 20, 20));
}
