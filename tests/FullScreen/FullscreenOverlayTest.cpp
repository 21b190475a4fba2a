// The full-screen overlay on an X server with two screens: the window fills the chosen
// screen and takes the keyboard, every key and shortcut is swallowed while it shows, the
// pointer hides until the mouse moves, and dismissal gives everything back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTest>
#include <QWindow>

#include "Overlay/FullscreenOverlay.h"
#include "Support/AwaitTask.h"
#include "Support/NativeKey.h"

namespace zantiva::testing {
namespace {

using namespace std::chrono_literals;

// The rest of the program: a window with a text field and an application-wide Ctrl+Q.
struct ProgramWindow {
    ProgramWindow() {
        field->setFocus();
        QObject::connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), &window, nullptr, nullptr, Qt::ApplicationShortcut),
                         &QShortcut::activated, [this] { ++quits; });
        window.show();
        window.activateWindow();
    }
    void pressCtrlQ() { QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Q, Qt::ControlModifier); }

    QWidget window;
    QLineEdit* field = new QLineEdit(&window);
    int quits = 0;
};

// Counts what passes the application; deleted with its presentation.
class CountingFilter : public QObject {
public:
    explicit CountingFilter(int& seen) : seen_(seen) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) ++seen_;
        return false;
    }

private:
    int& seen_;
};

bool focusedOn(const QWidget* window) {
    return runUntil([&] { return window && QGuiApplication::focusWindow() == window->windowHandle(); }, 10s);
}

TEST(FullscreenOverlay, FillsTheChosenScreenTakesEveryKeyAndGivesThemBackWhenDismissed) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2) << "the X server has two screens";
    QScreen* second = screens.at(1);
    ASSERT_NE(second, QGuiApplication::primaryScreen());

    ProgramWindow program;
    ASSERT_TRUE(focusedOn(&program.window));
    program.pressCtrlQ();
    ASSERT_EQ(program.quits, 1) << "the shortcut works before the overlay shows";

    FullscreenOverlay overlay;
    std::vector<std::uint16_t> keys;
    ASSERT_TRUE(overlay.present(std::make_unique<QWidget>(), second,
                                [&](std::uint16_t code, const QKeyEvent&) { keys.push_back(code); }));
    QPointer<QWidget> window = overlay.window();
    ASSERT_TRUE(focusedOn(window));
    EXPECT_EQ(window->screen(), second);
    EXPECT_EQ(window->windowHandle()->screen(), second);
    EXPECT_EQ(window->geometry(), second->geometry());
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint) << "above every other window";

    EXPECT_FALSE(overlay.present(std::make_unique<QWidget>(), second, {})) << "one presentation at a time";

    // Keys by their physical place, wherever they are sent.
    EXPECT_TRUE(pressNativeKey(Evdev::space, Qt::Key_Space, " "));
    EXPECT_TRUE(pressNativeKey(Evdev::one, Qt::Key_1, "1"));
    EXPECT_TRUE(pressNativeKey(Evdev::escape, Qt::Key_Escape));
    EXPECT_TRUE(pressNativeKey(Evdev::a, Qt::Key_A, "a", {}, program.field));
    EXPECT_EQ(keys, (std::vector<std::uint16_t>{49, 18, 53, 0}));
    EXPECT_EQ(program.field->text(), "") << "no key reaches another window";
    program.pressCtrlQ();
    QTest::keyClick(program.window.windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(program.quits, 1) << "a swallowed Ctrl+Q quits nothing";

    // The pointer shows again once the mouse moves.
    int moves = 0;
    overlay.addEventFilter(std::make_unique<CountingFilter>(moves));
    EXPECT_TRUE(overlay.isCursorHidden());
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    QTest::mouseMove(window->windowHandle(), QPoint(200, 150));
    EXPECT_FALSE(overlay.isCursorHidden());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_GT(moves, 0);

    overlay.dismiss();
    EXPECT_FALSE(overlay.isShowing());
    EXPECT_TRUE(window->isHidden());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "the window was released";
    const int movesBefore = moves;
    QTest::mouseMove(program.window.windowHandle(), QPoint(20, 20));
    EXPECT_EQ(moves, movesBefore) << "the overlay's filters went with it";
    program.window.activateWindow();
    ASSERT_TRUE(focusedOn(&program.window));
    pressNativeKey(Evdev::a, Qt::Key_A, "a", {}, program.field);
    EXPECT_EQ(program.field->text(), "a");
    program.pressCtrlQ();
    EXPECT_EQ(program.quits, 2);
    EXPECT_EQ(keys.size(), 4u);
    overlay.dismiss();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "dismissing twice restores nothing twice";
}

TEST(FullscreenOverlay, WithoutAScanCodeOnlyTheKeysThatStepOrEndCount) {
    FullscreenOverlay overlay;
    std::vector<std::uint16_t> keys;
    ASSERT_TRUE(overlay.present(std::make_unique<QWidget>(), nullptr,
                                [&](std::uint16_t code, const QKeyEvent&) { keys.push_back(code); }));
    ASSERT_TRUE(focusedOn(overlay.window()));
    // As an input method or a remote desktop sends them: the key, no scan code.
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Space, Qt::Key_Return, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                              Qt::Key_Down, Qt::Key_A, Qt::Key_1, Qt::Key_Enter, Qt::Key_Tab}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        EXPECT_TRUE(QCoreApplication::sendEvent(overlay.window(), &press)) << "consumed: " << key;
    }
    EXPECT_EQ(keys, (std::vector<std::uint16_t>{53, 49, 36, 123, 124, 126, 125}));
}

TEST(FullscreenOverlay, NoChoiceMeansThePrimaryScreen) {
    EXPECT_EQ(FullscreenOverlay::screenFor(nullptr), QGuiApplication::primaryScreen());
    FullscreenOverlay overlay;
    ASSERT_TRUE(overlay.present(std::make_unique<QWidget>(), nullptr, {}));
    EXPECT_EQ(overlay.window()->geometry(), QGuiApplication::primaryScreen()->geometry());
}

} // namespace
} // namespace zantiva::testing
