#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "Controls/RetroButton.h"
#include "Controls/RetroTextField.h"
#include "Theme/Palette.h"
#include "UiTestSupport.h"

using namespace zantiva;

namespace {

// A window that really holds keyboard focus, with a field and something else to focus.
struct FieldWindow {
    QWidget window;
    RetroTextField* field;
    RetroButton* other;

    FieldWindow(Qt::LayoutDirection direction, bool forceLeftToRight) {
        window.setLayoutDirection(direction);
        auto* layout = new QHBoxLayout(&window);
        field = new RetroTextField("Type here", forceLeftToRight);
        other = new RetroButton("Other", RetroButtonKind::outline, RetroButtonSize::regular);
        layout->addWidget(field);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

} // namespace

TEST(RetroTextField, AClickOnThePaddingFocusesAndLiftsTheField) {
    FieldWindow w(Qt::LeftToRight, false);
    RetroTextField& field = *w.field;
    // The window gave the field the first focus; take it away.
    w.other->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(field.isFocused());
    EXPECT_EQ(field.surface().style().fill, color(PaletteColor::muted));
    EXPECT_EQ(field.surface().style().shadowColor.alpha(), 0);
    EXPECT_EQ(field.surface().style().lift, 0);
    const QSize size = field.size();

    QTest::mouseClick(&field, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_TRUE(field.lineEdit()->hasFocus());
    EXPECT_TRUE(field.isFocused());
    EXPECT_EQ(field.surface().style().fill, color(PaletteColor::card));
    EXPECT_EQ(field.surface().style().shadowColor, color(PaletteColor::outline));
    EXPECT_EQ(field.surface().style().lift, 2);
    EXPECT_TRUE(uitest::settles([&] { return !field.surface().isAnimating(); }));
    EXPECT_EQ(field.size(), size);

    w.other->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(field.isFocused());
    EXPECT_EQ(field.surface().style().fill, color(PaletteColor::muted));
    EXPECT_EQ(field.surface().style().lift, 0);
}

TEST(RetroTextField, EditsArriveKeystrokeByKeystrokeInThePlaceholdersPlace) {
    FieldWindow w(Qt::LeftToRight, false);
    RetroTextField& field = *w.field;
    QLineEdit& edit = *field.lineEdit();
    EXPECT_EQ(edit.placeholderText(), "Type here");

    QSignalSpy edits(&field, &RetroTextField::textChanged);
    field.setFocus();
    QTest::keyClicks(&edit, "abc");
    EXPECT_EQ(edits.count(), 3);
    EXPECT_EQ(field.text(), "abc");
}

TEST(RetroTextField, ForcedLeftToRightEntryInARightToLeftWindow) {
    FieldWindow forced(Qt::RightToLeft, true);
    EXPECT_EQ(forced.field->lineEdit()->layoutDirection(), Qt::LeftToRight);
    FieldWindow following(Qt::RightToLeft, false);
    EXPECT_EQ(following.field->lineEdit()->layoutDirection(), Qt::RightToLeft);
    // The surface keeps its physical look: no visible shadow while idle.
    const QImage image = uitest::render(*following.field);
    EXPECT_EQ(image.pixelColor(following.field->width() - 2, following.field->height() / 2).rgb(),
              QColor(Qt::white).rgb());
}
