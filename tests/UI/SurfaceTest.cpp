#include <gtest/gtest.h>

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "Cards/RetroBadge.h"
#include "Cards/RetroCard.h"
#include "Theme/Metric.h"
#include "Theme/Palette.h"
#include "Theme/SurfacePose.h"
#include "UiTestSupport.h"

using namespace zantiva;

namespace {

SurfaceStyle cardStyle(qreal lift, bool pressed) {
    const QColor& outline = color(PaletteColor::outline);
    return {color(PaletteColor::card), 20, 6, lift, pressed, outline, outline};
}

QImage paintedSurface(const SurfaceStyle& style, QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintSurface(painter, QRectF(QPointF(0, 0), QSizeF(size)), SurfacePose::of(style));
    return image;
}

} // namespace

TEST(HardShadowSurface, GeometryAtRestLiftedAndPressed) {
    const QRectF frame(0, 0, 106, 56); // a 100 x 50 face with 6 pixels of shadow room

    const SurfaceGeometry rest = surfaceGeometry(frame, 6, SurfacePose::of(cardStyle(0, false)).displacement);
    EXPECT_EQ(rest.face, QRectF(0, 0, 100, 50));
    EXPECT_EQ(rest.shadow, QRectF(6, 6, 100, 50));

    const SurfaceGeometry lifted = surfaceGeometry(frame, 6, SurfacePose::of(cardStyle(2, false)).displacement);
    EXPECT_EQ(lifted.face, QRectF(-2, -2, 100, 50));
    EXPECT_EQ(lifted.shadow, rest.shadow);

    const SurfacePose pressed = SurfacePose::of(cardStyle(2, true));
    EXPECT_EQ(pressed.shadowOpacity, 0);
    EXPECT_EQ(surfaceGeometry(frame, 6, pressed.displacement).face, rest.shadow);

    EXPECT_EQ(withShadowRoom(QSizeF(100, 50), 6), QSizeF(106, 56));
    EXPECT_EQ(withShadowRoom(QSizeF(100, 50), 0), QSizeF(100, 50));
}

TEST(HardShadowSurface, PaintsTheShadowOnTheBottomRightAndHidesItWhenPressed) {
    const QImage rest = paintedSurface(cardStyle(0, false), QSize(106, 56));
    // Inside the shadow's strip below the face and right of it: shadow colour.
    EXPECT_EQ(rest.pixelColor(60, 53).rgb(), color(PaletteColor::outline).rgb());
    EXPECT_EQ(rest.pixelColor(103, 28).rgb(), color(PaletteColor::outline).rgb());
    // The face's middle: card fill; the top-right corner past the face: untouched.
    EXPECT_EQ(rest.pixelColor(50, 25).rgb(), color(PaletteColor::card).rgb());
    EXPECT_EQ(rest.pixelColor(104, 1).rgb(), QColor(Qt::white).rgb());

    const QImage pressed = paintedSurface(cardStyle(0, true), QSize(106, 56));
    // The face has moved onto the shadow: its fill now stands where the face's edge was.
    EXPECT_EQ(pressed.pixelColor(60, 45).rgb(), color(PaletteColor::card).rgb());
    EXPECT_EQ(pressed.pixelColor(2, 25).rgb(), QColor(Qt::white).rgb());
}

TEST(HardShadowSurface, StyleChangesAnimateOnlyWhileShown) {
    QWidget host;
    HardShadowSurface surface(&host, cardStyle(0, false));
    surface.setStyle(cardStyle(2, false));
    EXPECT_FALSE(surface.isAnimating());
    EXPECT_EQ(surface.pose().displacement, -2);

    host.show();
    surface.setStyle(cardStyle(0, true));
    EXPECT_TRUE(surface.isAnimating());
    EXPECT_EQ(surface.pose().displacement, -2);
    EXPECT_TRUE(uitest::settles([&] { return !surface.isAnimating(); }));
    EXPECT_EQ(surface.pose().displacement, 6);
    EXPECT_EQ(surface.pose().shadowOpacity, 0);
}

class CardTest : public ::testing::TestWithParam<Qt::LayoutDirection> {};

TEST_P(CardTest, ContentSitsInsideThePaddingWithTheShadowPhysicallyRight) {
    QWidget window;
    window.setLayoutDirection(GetParam());
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* card = new RetroCard;
    auto* content = new QWidget;
    content->setFixedSize(100, 40);
    card->setContent(content);
    layout->addWidget(card);
    window.show();

    EXPECT_EQ(card->sizeHint(), QSize(100 + 40 + 6, 40 + 40 + 6));
    card->resize(card->sizeHint());
    EXPECT_EQ(content->geometry(), QRect(20, 20, 100, 40));

    const QImage image = uitest::render(*card);
    EXPECT_EQ(image.pixelColor(card->width() - 3, card->height() / 2).rgb(), color(PaletteColor::outline).rgb());
    EXPECT_EQ(image.pixelColor(card->width() / 2, card->height() - 3).rgb(), color(PaletteColor::outline).rgb());
    EXPECT_EQ(image.pixelColor(card->width() - 3, 2).rgb(), QColor(Qt::white).rgb());
}

INSTANTIATE_TEST_SUITE_P(BothDirections, CardTest, ::testing::Values(Qt::LeftToRight, Qt::RightToLeft));

TEST(RetroCard, OnlyAnInteractiveCardLiftsAndItsContentRidesAlong) {
    RetroCard still;
    auto* stillContent = new QLabel("x");
    still.setContent(stillContent);
    still.show();
    uitest::hover(still);
    EXPECT_FALSE(still.isHovered());
    EXPECT_EQ(still.surface().style().lift, 0);

    RetroCard::Style style = RetroCard::Style::standard();
    style.isInteractive = true;
    RetroCard lively(style);
    auto* content = new QLabel("x");
    lively.setContent(content);
    lively.show();
    const QSize size = lively.size();
    const QPoint rest = content->pos();

    uitest::hover(lively);
    EXPECT_TRUE(lively.isHovered());
    EXPECT_TRUE(uitest::settles([&] { return !lively.surface().isAnimating(); }));
    EXPECT_EQ(content->pos(), rest - QPoint(2, 2));
    EXPECT_EQ(lively.size(), size);

    uitest::leave(lively);
    EXPECT_TRUE(uitest::settles([&] { return !lively.surface().isAnimating(); }));
    EXPECT_EQ(content->pos(), rest);
}

TEST(RetroBadge, IsItsContentWithPaddingAndAnInsideOutline) {
    auto* content = new QWidget;
    content->setFixedSize(30, 10);
    RetroBadge badge(content, color(PaletteColor::secondary));
    EXPECT_EQ(badge.sizeHint(), QSize(30 + 28, 10 + 12));
    badge.resize(badge.sizeHint());
    const QImage image = uitest::render(badge);
    EXPECT_EQ(image.pixelColor(badge.width() / 2, 0).rgb(), color(PaletteColor::outline).rgb());
    EXPECT_EQ(image.pixelColor(badge.width() / 2, 3).rgb(), color(PaletteColor::secondary).rgb());

    RetroBadge text(QStringLiteral("<b>3</b>"), color(PaletteColor::card), color(PaletteColor::text));
    const auto* label = text.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
}
