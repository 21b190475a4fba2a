// The station widgets shown hand-built views, offscreen.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

#include "Charts/HistoryChart.h"
#include "Controls/RetroButton.h"
#include "Stations/GpuPreviewFrame.h"
#include "Stations/LiveUsageCharts.h"
#include "Stations/SuiteScreen.h"
#include "Stations/Verdict.h"
#include "Typography/ProseLabel.h"

using namespace zantiva;

namespace {

UsageChart powerChart(double ceiling, std::vector<double> values) {
    return {"SYSTEM POWER \u2014 W", "0\u2013" + std::to_string(static_cast<int>(ceiling)), std::move(values), 90,
            PaletteColor::tertiary, ceiling};
}

} // namespace

TEST(GpuPreviewFrame, TakesTheRowsTopFirstAndRefusesABufferOfTheWrongSize) {
    // Two rows: red on top, blue below.
    GpuPreviewImage preview{.width = 1, .height = 2, .rgba = {255, 0, 0, 255, 0, 0, 255, 255}};
    const QImage image = previewImage(preview);
    ASSERT_EQ(image.size(), QSize(1, 2));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(0, 1), QColor(Qt::blue));

    preview.rgba.pop_back();
    EXPECT_TRUE(previewImage(preview).isNull());
    EXPECT_TRUE(previewImage(GpuPreviewImage{.width = 0, .height = 0, .rgba = {}}).isNull());

    GpuPreviewFrame frame;
    frame.setImage(QImage(640, 360, QImage::Format_RGBA8888));
    EXPECT_EQ(frame.sizeHint(), QSize(360, 203));
}

TEST(LiveUsageCharts, ChartsFollowTheViewAndANewCeilingRescalesThePowerChart) {
    LiveUsageCharts panel;
    panel.show(LiveUsageView{"LIVE RESOURCE USAGE", {}});
    EXPECT_TRUE(panel.charts().empty());

    panel.show(LiveUsageView{"LIVE RESOURCE USAGE", {powerChart(50, {20, 40})}});
    ASSERT_EQ(panel.charts().size(), 1u);
    EXPECT_EQ(panel.charts()[0]->maximum(), 50);

    panel.show(LiveUsageView{"LIVE RESOURCE USAGE", {powerChart(100, {20, 40, 73})}});
    ASSERT_EQ(panel.charts().size(), 1u);
    EXPECT_EQ(panel.charts()[0]->maximum(), 100);
    EXPECT_EQ(panel.charts()[0]->values(), (std::vector<double>{20, 40, 73}));
}

TEST(Verdict, ContinueOnlyWhenAllowedReportIssueAlways) {
    Verdict verdict;
    QSignalSpy issues(&verdict, &Verdict::issuePressed);
    verdict.show(VerdictView{"Continue", "Report Issue", false});
    EXPECT_FALSE(verdict.continueButton()->isEnabled());
    verdict.issueButton()->click();
    EXPECT_EQ(issues.count(), 1);
    verdict.show(VerdictView{"Continue", "Report Issue", true});
    EXPECT_TRUE(verdict.continueButton()->isEnabled());
}

TEST(SuiteScreen, AFailureCanBeSelectedTheNoticeCannot) {
    SuiteScreen screen;
    SuiteView view;
    view.rows = {SuiteRow{.module = TestModule::ramTest, .status = "Failed", .failure = "This station couldn't run: no memory"},
                 SuiteRow{.module = TestModule::battery, .status = "Pending"}};
    view.notice = "This station couldn't run: no memory";
    screen.show(view);
    ASSERT_TRUE(screen.failureText(TestModule::ramTest));
    EXPECT_TRUE(screen.failureText(TestModule::ramTest)->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(screen.failureText(TestModule::battery), nullptr);
    EXPECT_FALSE(screen.notice()->textInteractionFlags() & Qt::TextSelectableByMouse);
}

TEST(SuiteScreen, EachModulesPageOpensAtItsTop) {
    const auto tallPage = [] { auto* page = new QWidget; page->setMinimumHeight(2000); return page; };
    SuiteScreen screen;
    screen.setStation(tallPage());
    screen.resize(1100, 600);
    screen.show();
    QCoreApplication::processEvents();
    QScrollBar* bar = screen.findChild<QScrollArea*>()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());

    screen.setStation(tallPage());
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->value(), 0) << "the next station's title and prompt in view";
}

// A Persian sentence that opens with a number and a unit must not be laid out left to right.
TEST(ProseLabel, KeepsTheParagraphInTheLayoutDirection) {
    QWidget window;
    window.setLayoutDirection(Qt::RightToLeft);
    auto* label = new ProseLabel(&window);
    label->setProse(QString::fromUtf8("4,620 mAh \u0627\u0632 5,280 mAh"));
    EXPECT_TRUE(label->text().isRightToLeft());
    window.setLayoutDirection(Qt::LeftToRight);
    EXPECT_FALSE(label->text().isRightToLeft());
    EXPECT_EQ(label->prose(), QString::fromUtf8("4,620 mAh \u0627\u0632 5,280 mAh"));
}
