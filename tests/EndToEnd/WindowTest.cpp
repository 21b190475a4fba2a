// The program's window over a real app model as the program wires it: runs started, answered,
// stopped and resumed through the screens' own buttons, and the notices over the screens.
// The runners drive the real engines with tiny workloads; the websites are loopback servers.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <stdexcept>

#include "../App/AppModelFixture.h"
#include "../Runners/SuiteTestSupport.h"
#include "../Support/RecordingActivity.h"
#include "Cards/RetroCard.h"
#include "Controls/GradeBadge.h"
#include "Controls/LanguageSwitch.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "Dashboard/DashboardScreen.h"
#include "Dashboard/HeaderBar.h"
#include "Dashboard/ResumeCard.h"
#include "Dashboard/TestLauncher.h"
#include "LocalizedViews/LocNotifier.h"
#include "Model/BenchmarkScoring.h"
#include "Model/TestPlans.h"
#include "Results/ResultScreen.h"
#include "Shell/ErrorNotice.h"
#include "Shell/LoginPrompt.h"
#include "Shell/MainWindow.h"
#include "Shell/RootBinding.h"
#include "Shell/RootView.h"
#include "Shell/StatusLine.h"
#include "Stations/AudioStation.h"
#include "Stations/DisplayStation.h"
#include "Stations/DisplayTestController.h"
#include "Stations/DisplayTestScreen.h"
#include "Stations/InputStation.h"
#include "Stations/MicCameraStation.h"
#include "Stations/StationView.h"
#include "Stations/StopConfirmation.h"
#include "Stations/SuiteScreen.h"
#include "Stations/Verdict.h"
#include "Support/InputCheckAnswer.h"
#include "Typography/ProseLabel.h"
#include "WasherWindow/ScreenWasherController.h"
#include "WasherWindow/ScreenWasherRunState.h"
#include "WasherWindow/WasherChoiceList.h"
#include "WasherWindow/WasherNoticeBox.h"
#include "WasherWindow/WasherSetupSheet.h"

namespace zantiva::testing {
namespace {

using namespace std::chrono_literals;
using enum TestModule;

class WindowTest : public AppModelFixture {
protected:
    void SetUp() override {
        AppModelSetup tiny = setup();
        tiny.suite = tinyConfiguration();
        makeModel(std::move(tiny));
        // The launcher offers whole minutes only; the tiny workloads take no time at all.
        model->suite().setDurationMinutes(0);

        window = std::make_unique<MainWindow>(notifier);
        root = new RootView(notifier, [this] { return now; });
        window->setContent(root);
        washer = std::make_unique<ScreenWasherController>(displayHold, notifier);
        bindRootView(*root, *model, notifier, [] { return std::nullopt; },
                     [](ExternalBenchmarkApp) { return std::nullopt; },
                     [this](const ScreenWasherOptions& options, QScreen* screen) { washer->start(options, screen); });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        model->watchForUnexpectedErrors();
        awaitTask(model->start());
    }

    TestSuiteRunner& runner() { return model->suite(); }
    DashboardScreen& dashboard() { return *root->dashboard(); }

    // Turns the event loop until the run ends on the results screen, answering each check
    // that waits for the user with its page's button.
    bool answerChecksUntilResults() {
        return runUntil([&] {
            if (auto* display = stationPage<DisplayStation>(); display && runner().isAwaitingStation()) {
                display->startButton()->click();
                display->controller()->screen()->exitButton()->click();
            }
            if (auto* keys = stationPage<InputStation>(); keys && runner().isAwaitingStation()) answerInputCheck(*keys);
            if (auto* micCamera = stationPage<MicCameraStation>(); micCamera && micCamera->meter()->isVisible())
                micCamera->verdict()->continueButton()->click();
            if (auto* speaker = stationPage<AudioStation>(); speaker && runner().isAwaitingStation())
                speaker->verdict()->issueButton()->click();
            return model->screen() == AppScreen::result;
        });
    }
    template <typename Page> Page* stationPage() const {
        const auto* station = qobject_cast<StationView*>(root->suiteScreen()->station());
        return station ? qobject_cast<Page*>(station->page()) : nullptr;
    }

    // The grade on the results screen's badge.
    std::optional<DeviceGrade> shownGrade() const {
        const auto* badge = root->resultScreen()->findChild<GradeBadge*>();
        return badge ? badge->grade() : std::nullopt;
    }

    // Where the widget lies in the window.
    QRect placed(const QWidget* widget) const { return {widget->mapTo(window.get(), QPoint()), widget->size()}; }
    void clickBackdrop() { QTest::mouseClick(root->loginPrompt(), Qt::LeftButton, {}, QPoint(8, 8)); }

    LocNotifier notifier{loc};
    RootPresenter::Clock::time_point now{std::chrono::hours(1)};
    std::shared_ptr<RecordingActivity> displayHold = std::make_shared<RecordingActivity>();
    std::unique_ptr<ScreenWasherController> washer;
    std::unique_ptr<MainWindow> window;
    RootView* root = nullptr;
};

TEST_F(WindowTest, FullRunToItsGradeThenStoppedAndResumedFromTheDashboard) {
    ASSERT_EQ(root->currentScreen(), &dashboard());
    dashboard().launcher()->fullRunButton()->click();
    ASSERT_EQ(root->currentScreen(), root->suiteScreen());
    ASSERT_TRUE(answerChecksUntilResults());
    ASSERT_EQ(root->currentScreen(), root->resultScreen());
    ASSERT_TRUE(model->report().cpuResult);
    EXPECT_TRUE(shownGrade());
    EXPECT_EQ(shownGrade(), BenchmarkScoring::deviceGrade(model->report()));

    root->resultScreen()->backButton()->click();
    ASSERT_EQ(root->currentScreen(), &dashboard());
    dashboard().launcher()->fullRunButton()->click();
    // Stopped at the first check: the benchmarks before it are done.
    ASSERT_TRUE(runUntil([&] { return runner().isAwaitingStation() && stationPage<DisplayStation>(); }));
    EXPECT_EQ(runner().current(), display);
    root->suiteScreen()->stopButton()->click();
    ASSERT_TRUE(root->suiteScreen()->isConfirmingStop());
    root->suiteScreen()->stopConfirmation()->confirmButton()->click();
    // What did run is graded; the rest waits on the dashboard.
    ASSERT_TRUE(runUntil([&] { return !runner().isRunning() && model->screen() == AppScreen::result; }));
    EXPECT_EQ(root->currentScreen(), root->resultScreen());
    root->resultScreen()->backButton()->click();
    EXPECT_EQ(root->currentScreen(), &dashboard());
    ASSERT_TRUE(dashboard().resumeCard()->isVisible());
    ASSERT_TRUE(model->resumable());
    EXPECT_EQ(model->resumable()->remainingModules(), (std::vector{display, audio, micCamera, battery, input}));

    dashboard().resumeCard()->resumeButton()->click();
    ASSERT_EQ(root->currentScreen(), root->suiteScreen());
    ASSERT_TRUE(answerChecksUntilResults());
    EXPECT_EQ(root->currentScreen(), root->resultScreen());
    EXPECT_FALSE(model->resumable());
    EXPECT_TRUE(model->report().cpuResult) << "the resumed run keeps what ran before the stop";
    EXPECT_TRUE(model->report().batteryResult);
    EXPECT_EQ(shownGrade(), BenchmarkScoring::deviceGrade(model->report()));
}

TEST_F(WindowTest, AnErrorCoversTheSignInPromptAndAnyLengthOfItKeepsContinueInTheWindow) {
    window->resize(MainWindow::minimumSize);
    root->header()->signInButton()->click();
    ASSERT_TRUE(root->loginPrompt()->isShown());

    std::string reason = "<b>not bold</b> ";
    while (reason.size() < 100'000) reason += "/usr/lib/x86_64-linux-gnu/libzantiva-sensor-bus.so.1 went away; ";
    QTimer::singleShot(0, [reason] { throw std::runtime_error(reason); });
    ASSERT_TRUE(runUntil([&] { return model->unexpectedError().has_value(); }));
    ErrorNotice& notice = *root->errorNotice();
    EXPECT_TRUE(notice.isShown());
    EXPECT_FALSE(root->loginPrompt()->isShown());
    ASSERT_TRUE(runUntil([&] { return root->loginPrompt()->isHidden(); }));
    QCoreApplication::processEvents();

    EXPECT_TRUE(notice.body()->toPlainText().contains(QString::fromStdString(reason))) << "shown whole, as plain text";
    const QRect card = placed(notice.card()), body = placed(notice.body()), button = placed(notice.continueButton());
    EXPECT_TRUE(window->rect().contains(card));
    EXPECT_TRUE(card.contains(body));
    EXPECT_TRUE(card.contains(button));
    EXPECT_LT(body.bottom(), button.top());
    EXPECT_GT(notice.body()->verticalScrollBar()->maximum(), 0) << "the text scrolls inside the card";

    notice.continueButton()->click();
    EXPECT_FALSE(model->unexpectedError());
    EXPECT_FALSE(notice.isShown());
    EXPECT_TRUE(root->loginPrompt()->isShown()) << "the prompt waited behind the notice";
}

TEST_F(WindowTest, TheClickThatBringsTheWindowBackLeavesTheSignInWaiting) {
    root->header()->signInButton()->click();
    LoginPrompt& prompt = *root->loginPrompt();
    ASSERT_TRUE(prompt.isShown());
    EXPECT_EQ(prompt.domain()->text(), "zantiva.ir");
    EXPECT_EQ(window->layoutDirection(), Qt::RightToLeft);

    // The language switch turns the window and the prompt with it, and its site.
    QTest::mouseClick(root->header()->languageSwitch()->segment(AppLanguage::english), Qt::LeftButton);
    EXPECT_EQ(window->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(window->windowTitle(), "Zantiva Diagnostics");
    EXPECT_EQ(prompt.title()->prose(), "Sign in to Zantiva");
    EXPECT_EQ(prompt.domain()->text(), "zantiva.com");

    prompt.forgotButton()->click();
    ASSERT_FALSE(opened.empty());
    EXPECT_EQ(opened.back().path(), "/my-account/lost-password/");
    prompt.signInButton()->click();
    ASSERT_EQ(model->session().state(), AuthState::authenticating);
    EXPECT_EQ(prompt.signInButton()->text(), "Waiting for the browser…");
    ASSERT_TRUE(root->statusLine()->isVisible());
    EXPECT_EQ(root->statusLine()->label()->prose().toStdString(), loc["Login.ContinueInBrowser"]);

    // The user comes back from the browser with a click on the dimmed window.
    QEvent activation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window.get(), &activation);
    now += 150ms;
    clickBackdrop();
    EXPECT_EQ(model->session().state(), AuthState::authenticating);
    EXPECT_TRUE(prompt.isShown());

    now += 2s;
    clickBackdrop();
    EXPECT_EQ(model->session().state(), AuthState::signedOut);
    EXPECT_FALSE(prompt.isShown());
    EXPECT_FALSE(model->account().isLoginPromptVisible());
    EXPECT_FALSE(root->statusLine()->isVisible());
}

TEST_F(WindowTest, TheWasherStartsFromItsSetUpOnlyWithConsentAndEscEndsIt) {
    dashboard().launcher()->washerButton()->click();
    WasherSetupSheet& sheet = *root->washerSetup();
    ASSERT_TRUE(sheet.isShown());
    EXPECT_FALSE(sheet.startButton()->isEnabled());
    sheet.consentBox()->click();
    ASSERT_TRUE(sheet.startButton()->isEnabled());
    sheet.durations()->buttons().back()->click(); // until stopped
    sheet.startButton()->click();
    EXPECT_FALSE(sheet.isShown());
    ASSERT_TRUE(washer->isRunning());
    EXPECT_EQ(displayHold->held, 1);
    EXPECT_EQ(washer->overlay().window()->screen(), window->screen());

    // Keys by their place on the keyboard: "2" picks the colour cycle, Escape ends the run.
    QWidget* overlay = washer->overlay().window();
    const auto press = [&](Qt::Key key, quint32 scanCode) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0);
        QCoreApplication::sendEvent(overlay, &event);
    };
    press(Qt::Key_2, 11);
    EXPECT_EQ(washer->runState()->engine().pattern(), ScreenWasherPattern::colorCycle);
    press(Qt::Key_Escape, 9);
    EXPECT_FALSE(washer->isRunning());
    EXPECT_EQ(displayHold->held, 0);

    // The window manager's close is a stop too.
    dashboard().launcher()->washerButton()->click();
    sheet.consentBox()->click();
    sheet.startButton()->click();
    ASSERT_TRUE(washer->isRunning());
    washer->overlay().window()->close();
    EXPECT_FALSE(washer->isRunning());
    EXPECT_EQ(displayHold->held, 0);
    EXPECT_EQ(displayHold->ended, 2);
}

} // namespace
} // namespace zantiva::testing
