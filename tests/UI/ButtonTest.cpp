#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "Controls/RetroButton.h"
#include "Controls/RetroToggle.h"
#include "Theme/Palette.h"
#include "UiTestSupport.h"

using namespace zantiva;

namespace {

void settle(const RetroButton& button) {
    EXPECT_TRUE(uitest::settles([&] { return !button.surface().isAnimating(); }));
}

} // namespace

TEST(RetroButton, TakesTheLabelPlusPaddingsPlusTheShadowRoom) {
    RetroButton button("Start", RetroButtonKind::primary, RetroButtonSize::regular);
    const QSize label = button.fontMetrics().size(Qt::TextSingleLine, "Start");
    EXPECT_NEAR(button.sizeHint().width(), label.width() + 48 + 4, 1);
    EXPECT_NEAR(button.sizeHint().height(), label.height() + 24 + 4, 1);

    // A label too wide for its room wraps onto more lines.
    RetroButton wordy("Run every test of this computer now", RetroButtonKind::primary, RetroButtonSize::regular);
    EXPECT_GT(wordy.heightForWidth(wordy.minimumSizeHint().width()), wordy.sizeHint().height());

    // The compact shorthand is the compact size.
    RetroButton compact("Go", RetroButtonKind::outline, true);
    RetroButton sized("Go", RetroButtonKind::outline, RetroButtonSize::compact);
    EXPECT_EQ(compact.sizeHint(), sized.sizeHint());
    EXPECT_EQ(compact.font(), sized.font());
}

TEST(RetroButton, AClickOnThePaddingOrTheShadowRoomCounts) {
    RetroButton button("Start", RetroButtonKind::primary, RetroButtonSize::regular);
    button.resize(button.sizeHint());
    button.show();
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(button.width() - 2, button.height() - 2));
    EXPECT_EQ(clicks.count(), 2);
}

TEST(RetroButton, LiftsUnderThePointerAndSinksWhileHeld) {
    RetroButton button("Start", RetroButtonKind::secondary, RetroButtonSize::regular);
    button.resize(button.sizeHint());
    button.show();
    EXPECT_EQ(button.surface().style().fill, color(PaletteColor::secondary));

    uitest::hover(button);
    EXPECT_EQ(button.lift(), 2);
    settle(button);
    EXPECT_EQ(button.surface().pose().displacement, -2);

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(button.isShownPressed());
    EXPECT_EQ(button.surface().style().lift, 0);
    EXPECT_TRUE(button.surface().style().pressed);
    EXPECT_TRUE(button.surface().isAnimating());
    settle(button);
    EXPECT_EQ(button.surface().pose().displacement, 4);
    EXPECT_EQ(button.surface().pose().shadowOpacity, 0);

    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(button.surface().style().pressed);
    EXPECT_EQ(button.surface().style().lift, 2);
    uitest::leave(button);
    EXPECT_EQ(button.surface().style().lift, 0);
}

TEST(RetroButton, ADisabledButtonNeitherLiftsNorClicksAndIsDrawnFaded) {
    RetroButton button("Start", RetroButtonKind::primary, RetroButtonSize::regular);
    button.resize(button.sizeHint());
    button.setEnabled(false);
    button.show();
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    uitest::hover(button);
    EXPECT_EQ(button.lift(), 0);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button.surface().style().fill, color(PaletteColor::primary));

    // The whole button at 0.45 over white: the face's colour, faded, with no shadow showing
    // through the face.
    const QColor drawn = uitest::render(button).pixelColor(10, button.height() / 2);
    EXPECT_NEAR(drawn.red(), qRound(214 * 0.45 + 255 * 0.55), 2);
    EXPECT_NEAR(drawn.green(), qRound(24 * 0.45 + 255 * 0.55), 2);
}

TEST(RetroToggle, LatchesDownInCrimsonWhileOn) {
    RetroToggle toggle("GPU");
    toggle.resize(toggle.sizeHint());
    toggle.show();
    EXPECT_EQ(toggle.surface().style().fill, color(PaletteColor::card));

    uitest::hover(toggle);
    QTest::mouseClick(&toggle, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(toggle.isChecked());
    // Released, and still down on its shadow, in crimson, without lift under the pointer.
    EXPECT_TRUE(toggle.surface().style().pressed);
    EXPECT_EQ(toggle.surface().style().lift, 0);
    EXPECT_EQ(toggle.surface().style().fill, color(PaletteColor::primary));
    EXPECT_EQ(toggle.lift(), 0);

    QTest::mouseClick(&toggle, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_FALSE(toggle.surface().style().pressed);
    EXPECT_EQ(toggle.surface().style().lift, 2);
    EXPECT_EQ(toggle.surface().style().fill, color(PaletteColor::card));

    toggle.setChecked(true);
    toggle.setEnabled(false);
    EXPECT_TRUE(toggle.surface().style().pressed);
    EXPECT_EQ(toggle.surface().style().fill, color(PaletteColor::primary));
}
