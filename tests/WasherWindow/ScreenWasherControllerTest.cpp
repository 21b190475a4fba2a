// The washer's controller with the desktop's real holds, talking to a stand-in logind and
// screen saver on private buses: every way a run ends gives both holds back.

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "../Support/FakeDesktopServices.h"
#include "App/DesktopActivity.h"
#include "Controls/RetroButton.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "WasherWindow/ScreenWasherController.h"
#include "WasherWindow/ScreenWasherView.h"
#include "WasherWindow/WasherControls.h"

namespace zantiva {
namespace {

using namespace std::chrono_literals;

class ScreenWasherControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        thread_.start();
        login.publish(systemBus.address(), QStringLiteral("org.freedesktop.login1"),
                      QStringLiteral("/org/freedesktop/login1"), thread_);
        screenSaver.publish(sessionBus.address(), QStringLiteral("org.freedesktop.ScreenSaver"),
                            QStringLiteral("/org/freedesktop/ScreenSaver"), thread_);
        controller = makeController();
    }
    void TearDown() override {
        controller.reset();
        thread_.quit();
        thread_.wait();
    }

    void start(ScreenWasherDuration duration = ScreenWasherDuration::manual) {
        controller->start({.duration = duration}, QGuiApplication::primaryScreen());
        ASSERT_TRUE(controller->isRunning());
    }
    void key(Qt::Key key, quint32 scanCode, QWidget* target) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0, key == Qt::Key_A ? "a" : "");
        QApplication::sendEvent(target, &press);
    }
    std::unique_ptr<ScreenWasherController> makeController() {
        return std::make_unique<ScreenWasherController>(
            std::make_shared<DesktopActivity>(systemBus.address(), sessionBus.address()), notifier);
    }
    std::size_t held() const { return screenSaver.given().size() - screenSaver.returned().size(); }

    testing::PrivateBus systemBus;
    testing::PrivateBus sessionBus;
    testing::FakeLogin login;
    testing::FakeScreenSaver screenSaver;
    Loc loc{AppLanguage::english};
    LocNotifier notifier{loc};
    std::unique_ptr<ScreenWasherController> controller;

private:
    QThread thread_;
};

TEST_F(ScreenWasherControllerTest, EveryWayARunEndsGivesTheSleepAndDisplayHoldsBack) {
    const std::vector<std::pair<const char*, std::function<void()>>> endings{
        {"Esc", [&] { key(Qt::Key_Escape, 9, controller->overlay().window()); }},
        {"Stop", [&] { controller->overlay().window()->findChild<WasherControls*>()->stopButton()->click(); }},
        {"window manager", [&] { controller->overlay().window()->close(); }},
        {"quit", [&] { controller.reset(); }},
    };
    for (const auto& [way, end] : endings) {
        if (!controller) controller = makeController();
        start();
        EXPECT_EQ(held(), 1u) << way;
        EXPECT_EQ(login.openLocks(), 1) << way;
        controller->start({}, nullptr); // a second start while one shows does nothing
        EXPECT_EQ(screenSaver.lastRequest(), (QVariantList{"Zantiva Diagnostics", "Zantiva Screen Washer"}));
        ASSERT_FALSE(login.requests().empty()) << way;
        EXPECT_EQ(login.requests().back(),
                  (QVariantList{"idle:sleep", "Zantiva Diagnostics", "Zantiva Screen Washer", "block"}));
        end();
        EXPECT_TRUE(!controller || !controller->isRunning()) << way;
        EXPECT_EQ(held(), 0u) << way;
        EXPECT_EQ(login.openLocks(true), 0) << way;
    }
    EXPECT_EQ(login.requests().size(), 4u);

    // The run's time running out.
    controller = makeController();
    start(ScreenWasherDuration::quickClean);
    ScreenWasherRunState::Clock::time_point frame{};
    ScreenWasherRunState* state = controller->runState();
    state->tick(frame);
    for (int i = 0; i < 1200 && controller->isRunning(); ++i) state->tick(frame += 250ms);
    EXPECT_FALSE(controller->isRunning());
    EXPECT_EQ(held(), 0u);
    EXPECT_EQ(login.openLocks(true), 0);
    EXPECT_EQ(screenSaver.given().size(), 5u);
    EXPECT_EQ(login.requests().size(), 5u);
}

TEST_F(ScreenWasherControllerTest, KeysGoToTheRunByTheirPlaceAndNoneReachesTheAppBelow) {
    QLineEdit field;
    field.show();
    field.setFocus();
    start();
    key(Qt::Key_A, 38, &field); // a letter has no washer action and is swallowed
    key(Qt::Key_4, 13, &field);
    EXPECT_TRUE(field.text().isEmpty());
    ScreenWasherRunState& state = *controller->runState();
    EXPECT_EQ(state.engine().pattern(), ScreenWasherPattern::uniformitySlides);
    key(Qt::Key_Left, 113, &field);
    EXPECT_EQ(state.engine().slideIndex(), 8);
    key(Qt::Key_Right, 114, &field);
    EXPECT_EQ(state.engine().slideIndex(), 0);
    key(Qt::Key_3, 12, &field);
    EXPECT_EQ(state.engine().pattern(), ScreenWasherPattern::gradientSweep);
    // The layout-mapped key doesn't matter, only where it sits: a "1" on an AZERTY "&".
    key(Qt::Key_Ampersand, 10, &field);
    EXPECT_EQ(state.engine().pattern(), ScreenWasherPattern::noise);
    key(Qt::Key_Escape, 9, &field);
    EXPECT_FALSE(controller->isRunning());
    key(Qt::Key_A, 38, &field);
    EXPECT_EQ(field.text(), "a") << "the keys are the app's again after the run";
}

TEST_F(ScreenWasherControllerTest, WithoutAScanCodeTheArrowsAndEscStillWork) {
    QLineEdit field;
    field.show();
    field.setFocus();
    start();
    ScreenWasherRunState& state = *controller->runState();
    key(Qt::Key_4, 0, &field); // a digit is known only by its place
    EXPECT_EQ(state.engine().pattern(), ScreenWasherPattern::noise);
    key(Qt::Key_Left, 0, &field);
    EXPECT_EQ(state.engine().pattern(), ScreenWasherPattern::uniformitySlides);
    key(Qt::Key_Escape, 0, &field);
    EXPECT_FALSE(controller->isRunning());
    EXPECT_TRUE(field.text().isEmpty());
}

TEST_F(ScreenWasherControllerTest, TheMouseBringsTheControlsBackAndTheCursorHidesWithThem) {
    start();
    ScreenWasherRunState& state = *controller->runState();
    auto* view = controller->overlay().window()->findChild<ScreenWasherView*>();
    ASSERT_TRUE(view);
    EXPECT_TRUE(state.controlsVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !state.controlsVisible(); }, 5000));
    EXPECT_TRUE(controller->overlay().isCursorHidden());
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 50), QPointF(50, 50), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    EXPECT_TRUE(state.controlsVisible());
    EXPECT_FALSE(controller->overlay().isCursorHidden());
    controller->stop();
}

} // namespace
} // namespace zantiva
