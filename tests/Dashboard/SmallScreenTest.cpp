// The window and the dashboard on a screen smaller than the content's least size, as a scaled
// laptop screen gives it: the offscreen platform's screen is 800 pixels wide.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "../Support/SampleSpecs.h"
#include "Dashboard/DashboardScreen.h"
#include "ExternalScreens/ExternalBenchmarksCard.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Panels/TelemetryPanel.h"
#include "Shell/MainWindow.h"

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

} // namespace
