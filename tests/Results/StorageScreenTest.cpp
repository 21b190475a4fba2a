// The storage screen bound to a real app model whose storage runner runs the real engine on
// a disk folder with a tiny workload, started as the dashboard's launcher starts it: the live
// card, the stop, the result with the drives' health, a failure, and the way back. The screen
// itself starts nothing.

#include <QLabel>
#include <QRegularExpression>
#include <QStyle>
#include <QTest>

#include "../App/AppModelFixture.h"
#include "../Core/Engines/StorageTestSupport.h"
#include "../Core/Probes/DriveHealthFixtures.h"
#include "../Core/Probes/FixtureMachines.h"
#include "Cards/RetroCard.h"
#include "Controls/RetroButton.h"
#include "LocalizedViews/LocNotifier.h"
#include "Results/DriveHealthCard.h"
#include "Results/StorageBinding.h"
#include "Results/StorageScreen.h"
#include "ScreenTexts.h"
#include "Shell/Navigation.h"

namespace zantiva::testing {
namespace {

// Two measured runs of each test; long ones can be stopped in the middle.
StorageRunnerConfiguration storageRuns(double measureSeconds) {
    StorageRunnerConfiguration c;
    c.benchmark = {.fileSize = StorageBenchmarkConfiguration::minimumFileSize, .runsPerTest = 2,
                   .measureSeconds = measureSeconds, .settleSeconds = 0};
    c.drives = fixtureDriveHealth(fixtureMachine("amd-desktop"));
    return c;
}

class StorageScreenTest : public AppModelFixture {
protected:
    static void SetUpTestSuite() { useDiskForTemporaryFolders(); }

    // The screen over a model whose storage test measures for that long.
    void bind(double measureSeconds) {
        AppModelSetup s = setup();
        s.storage = storageRuns(measureSeconds);
        makeModel(std::move(s));
        bindNavigation(*model);
        loc.setLanguage(AppLanguage::english);
        bindStorageScreen(screen, model->storage(), notifier, [this](AppScreen s) { model->setScreen(s); });
        screen.resize(1200, 900);
        screen.show();
    }
    // What the launcher does once a folder is chosen.
    void startTest() { model->storage().start(answer); }

    bool visible(const QWidget* part) const { return part && part->isVisibleTo(&screen); }
    // Until the test has ended and the parts it added to the shown screen show too.
    bool ended() {
        const bool done = runUntil([&] { return !model->storage().isRunning(); }, std::chrono::seconds(30));
        QCoreApplication::processEvents();
        return done;
    }

    TemporaryFolder target;
    std::filesystem::path answer = target.path();
    LocNotifier notifier{loc};
    StorageScreen screen;
};

TEST_F(StorageScreenTest, WithNothingStoredOnlyTheWayBackShows) {
    bind(0.05);
    EXPECT_FALSE(visible(screen.liveCard()));
    EXPECT_EQ(shownTexts(screen), QStringList{}); // no result, no failure: the button only
    const auto buttons = screen.findChildren<RetroButton*>();
    const auto shown = std::count_if(buttons.begin(), buttons.end(), [this](RetroButton* b) { return visible(b); });
    EXPECT_EQ(shown, 1) << "back only: the screen starts no test";
    EXPECT_TRUE(visible(screen.backButton()));
    EXPECT_FALSE(model->storage().isRunning());
}

TEST_F(StorageScreenTest, TheLiveCardCountsTheRunnersRunsAndStops) {
    bind(30);
    startTest();
    ASSERT_TRUE(model->storage().isRunning());
    EXPECT_EQ(model->screen(), AppScreen::storage);
    EXPECT_TRUE(visible(screen.liveCard()));
    EXPECT_FALSE(screen.backButton()->isEnabled());

    ASSERT_TRUE(runUntil([&] { return model->storage().run() >= 1; }));
    EXPECT_TRUE(shows(screen, "Sequential Read \u00B7 SEQ1M Q8T1 \u2014 run 1 of 2"));
    QTest::mouseClick(screen.stopButton(), Qt::LeftButton);
    ASSERT_TRUE(ended());
    EXPECT_FALSE(visible(screen.liveCard()));
    EXPECT_FALSE(visible(screen.resultsCard())); // a stopped test records nothing
    EXPECT_TRUE(screen.backButton()->isEnabled());
}

TEST_F(StorageScreenTest, AFinishedRunShowsItsResultAndTheDrivesThenBackLeadsHome) {
    bind(0.05);
    startTest();
    ASSERT_TRUE(ended());
    const auto& result = model->storage().result();
    ASSERT_TRUE(result && result->driveHealth);
    ASSERT_FALSE(result->driveHealth->drives.empty());

    EXPECT_TRUE(visible(screen.resultsCard()));
    EXPECT_TRUE(shows(screen, "Sequential \u2014 SEQ1M Q8T1 \u00B7 Write"));
    EXPECT_TRUE(shows(screen, QString::fromStdString(target.path().string())));
    EXPECT_TRUE(visible(screen.driveHealthCard()));
    const DriveHealthInfo& drive = result->driveHealth->drives.front();
    EXPECT_TRUE(shows(screen, QString::fromStdString(drive.model.empty() ? drive.id : drive.model)));

    QTest::mouseClick(screen.backButton(), Qt::LeftButton);
    EXPECT_EQ(model->screen(), AppScreen::dashboard);
}

TEST_F(StorageScreenTest, AFailedRunSaysWhy) {
    bind(0.05);
    answer = target / "gone";
    startTest();
    ASSERT_TRUE(ended());
    EXPECT_TRUE(visible(screen.errorCard()));
    EXPECT_TRUE(shows(screen, "THE TEST COULDN'T RUN"));
    EXPECT_TRUE(shows(screen, QString::fromStdString(loc["Ssd.Error.TargetUnavailable"])));
}

// Right to left, the headings and the figures under them keep to the same (leading) edge.
TEST(StorageScreenLayout, EachFigureStandsUnderItsHeadingInBothDirections) {
    const StorageScreenView view{
        .backLabel = "back",
        .canGoBack = true,
        .results = StorageResultsView{.title = "results",
                                      .columns = {"MB/s", "MiB/s", "IOPS", "ms"},
                                      .rows = {{"row", "2,345.6", "2,236.9", "72,742", "0.438"},
                                               {"short", "78.6", "75.0", "9", "12.5"}},
                                      .targetFolder = "/var/tmp"},
    };
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        StorageScreen screen;
        screen.setLayoutDirection(direction);
        screen.show(view);
        screen.resize(1200, 900);
        screen.QWidget::show();
        QCoreApplication::processEvents();
        // The leading edge of the text as the label draws it, inside its own box.
        const auto edge = [&](const QString& text) {
            for (QLabel* label : screen.findChildren<QLabel*>())
                if (QString(label->text()).remove(QRegularExpression(u"[\u200E\u200F\u2066\u2069]"_qs)) == text) {
                    const QRect inside = label->contentsRect();
                    const QSize drawn(label->fontMetrics().horizontalAdvance(label->text()), inside.height());
                    const QRect at = QStyle::alignedRect(label->layoutDirection(), label->alignment(), drawn, inside)
                                         .translated(label->mapTo(&screen, QPoint(0, 0)));
                    return direction == Qt::RightToLeft ? at.right() : at.left();
                }
            ADD_FAILURE() << text.toStdString() << " not shown";
            return -1;
        };
        // A short figure under a wider one keeps to the heading's edge, not the column's other one.
        for (const char* figure : {"2,345.6", "78.6"}) EXPECT_NEAR(edge(figure), edge("MB/s"), 1) << direction;
        for (const char* figure : {"2,236.9", "75.0"}) EXPECT_NEAR(edge(figure), edge("MiB/s"), 1) << direction;
        for (const char* figure : {"72,742", "9"}) EXPECT_NEAR(edge(figure), edge("IOPS"), 1) << direction;
    }
}

} // namespace
} // namespace zantiva::testing
