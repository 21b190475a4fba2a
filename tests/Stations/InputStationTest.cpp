// The keyboard check with key events as the window system delivers them (native scan codes,
// through the application): what the sweep takes from the program, what it counts, and that
// its filter ends with the sweep and with the check.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "Stations/InputCheck.h"
#include "Stations/InputStation.h"
#include "Stations/InputTouchpadArea.h"
#include "Stations/KeyboardGrid.h"
#include "Support/SyntheticKeys.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

// Input-event codes.
constexpr quint32 evdevQ = 16, evdevA = 30, evdevLeftCtrl = 29, evdevLeftShift = 42;
// The layout's codes of the same keys.
constexpr std::uint16_t keyQ = 12, keyA = 0, control = 59, leftShift = 56;

void scroll(QWidget* target, QPoint pixels, QPoint angle, Qt::ScrollPhase phase) {
    QWheelEvent event(QPointF(5, 5), QPointF(5, 5), pixels, angle, Qt::NoButton, Qt::NoModifier, phase, false);
    QApplication::sendEvent(target, &event);
}

// A window with a text field that has the focus and a Ctrl+Q shortcut, as the program could have.
class InputCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* column = new QVBoxLayout(&window);
        column->addWidget(field);
        auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), &window);
        QObject::connect(quit, &QShortcut::activated, [this] { ++quits; });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
    }

    void typeA() { tapKey(field, evdevA, Qt::Key_A, {}, "a"); }
    void pressCtrlQ() {
        sendKey(field, QEvent::KeyPress, evdevLeftCtrl, Qt::Key_Control, Qt::ControlModifier);
        tapKey(field, evdevQ, Qt::Key_Q, Qt::ControlModifier, "\x11");
        sendKey(field, QEvent::KeyRelease, evdevLeftCtrl, Qt::Key_Control);
    }

    QWidget window;
    QLineEdit* field = new QLineEdit;
    int quits = 0;
};

TEST_F(InputCheckTest, TheSweepTakesEveryKeyFromTheProgramAndCountsItByThePhysicalKey) {
    InputCheck check;
    // Before the sweep, keys are the program's: typed text is no press of the sweep.
    typeA();
    pressCtrlQ();
    ASSERT_EQ(field->text(), "a");
    ASSERT_EQ(quits, 1) << "the shortcut works while the check types";
    EXPECT_EQ(check.state().tracker, KeyPressTracker());

    check.beginKeySweep();
    EXPECT_TRUE(check.isWatching());
    typeA();
    sendKey(field, QEvent::KeyPress, evdevA, Qt::Key_A, {}, "a", true);   // held: auto-repeat
    pressCtrlQ();
    sendKey(field, QEvent::KeyPress, evdevLeftShift, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(field->text(), "a") << "no letter reaches the focused field";
    EXPECT_EQ(quits, 1) << "Ctrl+Q ran nothing";
    EXPECT_EQ(check.state().tracker.counts(),
              (std::map<std::uint16_t, int>{{keyA, 1}, {keyQ, 1}, {control, 1}, {leftShift, 1}}));
    EXPECT_EQ(check.state().tracker.lastKeyLabel(), "L-Shift");

    // A key the layout does not draw (right Ctrl) counts nothing and is taken all the same.
    QSignalSpy changes(&check, &InputCheck::stateChanged);
    tapKey(field, 97, Qt::Key_Control);
    EXPECT_EQ(changes.count(), 0);

    check.finishKeySweep();
    const KeyboardTestResult result = check.state().result.value();
    EXPECT_EQ(result, check.state().tracker.result());
    typeA();
    pressCtrlQ();
    EXPECT_EQ(field->text(), "aa") << "after the sweep keys reach the program again";
    EXPECT_EQ(quits, 2);
    EXPECT_EQ(check.keyResult(), result);
    EXPECT_EQ(check.state().tracker.counts().at(keyA), 1);
}

TEST_F(InputCheckTest, OnTheTouchpadScrollsThatMoveSomethingCountAndPassOn) {
    InputCheck check;
    scroll(field, {0, 12}, {0, 120}, Qt::NoScrollPhase);
    EXPECT_FALSE(check.state().sawScroll) << "only on the touchpad step";
    check.beginKeySweep();
    check.finishKeySweep();
    typeA();
    EXPECT_EQ(field->text(), "a") << "keys are the program's again";

    // A touchpad's scroll opens and closes with events that move nothing.
    scroll(field, {}, {}, Qt::ScrollBegin);
    scroll(field, {}, {}, Qt::ScrollEnd);
    EXPECT_FALSE(check.state().sawScroll);
    scroll(field, {-7, 0}, {-56, 0}, Qt::ScrollUpdate);
    EXPECT_TRUE(check.state().sawScroll) << "sideways counts";
    check.noteMove();
    check.noteMove();
    check.noteClick();
    EXPECT_EQ(check.state().touchpadSignals(), 3);
}

TEST_F(InputCheckTest, TheFilterEndsWithTheCheckWhicheverWayItEnds) {
    auto* check = new InputCheck;
    check->stopWatching();   // nothing installed yet
    check->beginKeySweep();
    check->finishKeySweep();
    check->stopWatching();
    check->stopWatching();
    EXPECT_FALSE(check->isWatching());

    // The page goes away in the middle of the sweep: its check and the filter with it.
    auto* page = new InputStation;
    auto* owned = new InputCheck(page);
    owned->beginKeySweep();
    typeA();
    EXPECT_EQ(field->text(), "");
    delete page;
    typeA();
    pressCtrlQ();
    EXPECT_EQ(field->text(), "a");
    EXPECT_EQ(quits, 1);
    delete check;
}

TEST(InputCheck, CountsTypedCharactersAsTheUserSeesThemWithoutTheBlanksAround) {
    InputCheck check;
    const std::pair<QString, int> cases[] = {
        {" \t nineteen chars here \t ", 19},   // blanks inside count, around them not
        {QString::fromUtf8("cafe\u0301"), 4},    // a letter with its accent is one
        {"   ", 0},
    };
    for (const auto& [typed, length] : cases) {
        check.setTyped(typed);
        EXPECT_EQ(check.state().typedLength, length) << typed.toStdString();
    }
}

TEST(InputTouchpadArea, TellsMovesInsideItAndClicks) {
    InputTouchpadArea area;
    area.resize(400, 150);
    area.show();
    QSignalSpy moves(&area, &InputTouchpadArea::moved);
    QSignalSpy clicks(&area, &InputTouchpadArea::clicked);
    QTest::mouseMove(&area, QPoint(200, 70));
    QTest::mouseClick(&area, Qt::LeftButton, {}, QPoint(210, 80));
    EXPECT_GE(moves.count(), 1);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(KeyboardGrid, CapsSpanTheirWidthAndTheRowsRunLeftToRightInEitherLanguage) {
    QWidget persian;
    persian.setLayoutDirection(Qt::RightToLeft);
    KeyboardGrid& grid = *new KeyboardGrid(&persian);
    grid.show(std::vector<std::vector<KeyCapView>>{{{.label = "esc", .width = 1.4}, {.label = "F1"}},
                                                   {{.label = "space", .width = 5.2}}});
    EXPECT_EQ(grid.layoutDirection(), Qt::LeftToRight);
    const auto rects = grid.capRects();
    EXPECT_EQ(rects[0][0], QRectF(0, 0, 1.4 * 34 + 0.4 * 5, 30));
    EXPECT_EQ(rects[0][1].left(), rects[0][0].right() + 5);
    EXPECT_EQ(rects[1][0], QRectF(0, 35, 5.2 * 34 + 4.2 * 5, 30));
    EXPECT_EQ(grid.sizeHint(), QSize(198, 65));
}

} // namespace
