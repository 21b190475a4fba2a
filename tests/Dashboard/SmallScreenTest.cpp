// The window and the dashboard on a screen smaller than the content's least size, as a scaled
// laptop screen gives it: the offscreen platform's screen is 800 pixels wide.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <cstdlib>

#include "../Support/AwaitTask.h"
#include "../Support/EnvironmentChange.h"
#include "../Support/SampleSpecs.h"
#include "../Support/TemporaryFolder.h"
#include "Dashboard/DashboardScreen.h"
#include "ExternalScreens/ExternalBenchmarksCard.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Panels/TelemetryPanel.h"
#include "Platform/BoundedProcess.h"
#include "Shell/MainWindow.h"
#include "Shell/RootView.h"

using namespace zantiva;

namespace {

// The nearest scroll area that holds the widget.
QScrollArea* scrollingAncestor(QWidget* widget) {
    for (QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(parent)) return area;
    return nullptr;
}

TEST(SmallScreen, TheWindowFitsTheAvailableAreaAndItsContentScrollsToItsLeastSize) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    if (area.width() >= MainWindow::minimumSize.width() && area.height() >= MainWindow::minimumSize.height())
        GTEST_SKIP() << "the screen holds the window's least size";
    Loc loc(AppLanguage::english);
    LocNotifier notifier(loc);
    MainWindow window(notifier);
    auto* content = new QWidget;
    window.setContent(content);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_TRUE(area.contains(window.frameGeometry())) << "every edge of the window can be reached";
    EXPECT_LE(window.minimumWidth(), area.width());
    EXPECT_LE(window.minimumHeight(), area.height());
    EXPECT_GE(content->width(), MainWindow::minimumSize.width());
    EXPECT_GE(content->height(), MainWindow::minimumSize.height());
    QScrollArea* scroll = scrollingAncestor(content);
    ASSERT_TRUE(scroll);
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), content->width() - scroll->viewport()->width());
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(), content->height() - scroll->viewport()->height());
}

TEST(SmallScreen, ALowDashboardScrollsItsTelemetrySidebarToThePanelsEnd) {
    for (const AppLanguage language : {AppLanguage::english, AppLanguage::persian}) {
        Loc loc(language);
        LocNotifier notifier(loc);
        DashboardScreen screen(notifier, new ExternalBenchmarksCard);
        applyZantivaRoot(screen, notifier);
        screen.showSpecs(zantiva::testing::sampleLaptopSpecs());
        screen.resize(MainWindow::minimumSize.width(), 420);
        screen.show();
        QCoreApplication::processEvents();

        TelemetryPanel* panel = screen.telemetryPanel();
        QScrollArea* sidebar = scrollingAncestor(panel);
        ASSERT_TRUE(sidebar) << rawValue(language);
        ASSERT_NE(sidebar, screen.scrollArea());
        EXPECT_EQ(panel->height(), panel->layout()->totalHeightForWidth(panel->width())) << "never squeezed";
        QScrollBar* bar = sidebar->verticalScrollBar();
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
        const QWidget* viewport = sidebar->viewport();
        const QRect placed(panel->mapTo(viewport, QPoint()), panel->size());
        EXPECT_GT(placed.bottom(), 0);
        EXPECT_LE(placed.bottom(), viewport->height()) << "the panel's end scrolls into view";
        EXPECT_GE(placed.left(), 0);
        EXPECT_LE(placed.right(), viewport->width()) << "nothing cut sideways";
    }
}

TEST(SmallScreen, APageOpenedFromAScrolledDashboardOpensAtItsTop) {
    Loc loc(AppLanguage::english);
    LocNotifier notifier(loc);
    MainWindow window(notifier);
    auto* root = new RootView(notifier);
    window.setContent(root);
    root->dashboard()->showSpecs(zantiva::testing::sampleLaptopSpecs());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.resize(window.minimumWidth(), window.minimumHeight());
    QCoreApplication::processEvents();
    QScrollBar* windowBar = scrollingAncestor(root)->verticalScrollBar();
    QScrollBar* dashboardBar = root->dashboard()->scrollArea()->verticalScrollBar();
    ASSERT_GT(windowBar->maximum(), 0) << "the window is lower than its content";
    ASSERT_GT(dashboardBar->maximum(), 0);
    // Down to the launcher, as a user does who starts a test.
    dashboardBar->setValue(dashboardBar->maximum());
    windowBar->setValue(windowBar->maximum());

    root->show(RootContentView{.screen = AppScreen::suite});
    QCoreApplication::processEvents();
    EXPECT_EQ(windowBar->value(), 0) << "the header and the station's title in view";

    root->show(RootContentView{.screen = AppScreen::dashboard});
    QCoreApplication::processEvents();
    EXPECT_EQ(dashboardBar->value(), 0) << "the dashboard opens at its top again";
}

// The children's part, on the two screens of an offscreen platform the test below configures: a
// large one and, beside it, one smaller than the content's least size. The window starts on the
// large one.
class SmallScreenChildProcess : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("ZANTIVA_TWO_SCREENS_CHILD")) GTEST_SKIP() << "runs only as the child of the test below";
        ASSERT_EQ(screens.size(), 2);
        window.setContent(new QWidget);
        window.winId(); // the window's handle, to put it on a screen before it shows
        window.windowHandle()->setScreen(screens[0]);
    }

    const QList<QScreen*> screens = QGuiApplication::screens();
    Loc loc{AppLanguage::english};
    LocNotifier notifier{loc};
    MainWindow window{notifier};
};

// Taken there by the user (a snap onto the other monitor), it stays where it was taken, and its
// least size follows that screen, so the user can make it fit.
TEST_F(SmallScreenChildProcess, AWindowTakenToASmallerScreenStaysAndCanBeMadeToFitIt) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(QSize(window.minimumWidth(), window.minimumHeight()), MainWindow::minimumSize);

    const QRect taken = window.geometry();
    window.windowHandle()->setScreen(screens[1]);
    const QRect area = screens[1]->availableGeometry();
    EXPECT_TRUE(zantiva::testing::runUntil(
        [&] { return window.minimumWidth() <= area.width() && window.minimumHeight() <= area.height(); }))
        << "the user can make it fit";
    EXPECT_EQ(window.geometry(), taken);
}

// Maximised, taken there and restored: the size it had before is the user's own, and stands, and
// the user can make it fit.
TEST_F(SmallScreenChildProcess, AWindowRestoredFromMaximisedOnASmallerScreenCanBeMadeToFitIt) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QSize size = window.size();
    window.showMaximized();
    ASSERT_TRUE(zantiva::testing::runUntil([&] { return window.size() != size; }));
    window.windowHandle()->setScreen(screens[1]);
    window.showNormal();
    const QRect area = screens[1]->availableGeometry();
    EXPECT_TRUE(zantiva::testing::runUntil([&] {
        return window.size() == size && window.minimumWidth() <= area.width() && window.minimumHeight() <= area.height();
    }));
}

TEST(SmallScreen, AWindowTakenToASmallerScreenCanBeMadeToFitIt) {
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) GTEST_SKIP() << "needs the offscreen platform";
    zantiva::testing::TemporaryFolder folder;
    const QString config = QString::fromStdString((folder.path() / "screens.json").string());
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"screens": [
        {"name": "large", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "small", "x": 1920, "y": 0, "width": 1024, "height": 600, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    zantiva::testing::EnvironmentChange child("ZANTIVA_TWO_SCREENS_CHILD", "1");
    zantiva::testing::EnvironmentChange platform("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toStdString());
    const auto run = runBoundedProcess({"/proc/self/exe", "--gtest_filter=SmallScreenChildProcess.*"}, std::chrono::seconds(60));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->exitStatus, 0) << run->output;
    EXPECT_NE(run->output.find("[  PASSED  ] 2 tests"), std::string::npos) << run->output;
}

} // namespace
