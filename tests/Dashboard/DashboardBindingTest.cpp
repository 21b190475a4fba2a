// The dashboard over a real app model: the launcher's busy rule with real runs holding the
// run gate, the folder chooser, the resume card, the grade dot and the update offer.

#include <gtest/gtest.h>

#include <QLabel>

#include "../Core/Engines/StorageTestSupport.h"
#include "../Runners/SuiteTestSupport.h"
#include "Charts/HistoryChart.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "Dashboard/DeviceHeading.h"
#include "Dashboard/FittedHardwareText.h"
#include "Dashboard/GradeDot.h"
#include "Dashboard/ResumeCard.h"
#include "Panels/SpecsCardView.h"
#include "Dashboard/TestLauncher.h"
#include "Dashboard/UpdateNoticeCard.h"
#include "Typography/ProseLabel.h"
#include "DashboardFixture.h"
#include "Layout/DropdownList.h"
#include "Layout/RetroDropdown.h"
#include "Model/TestPlans.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

class DashboardBindingTest : public DashboardFixture {
protected:
    static void SetUpTestSuite() { useDiskForTemporaryFolders(); }

    // Runs that start at once and last until stopped: a suite run waits at its display
    // station, a storage test measures for half a minute.
    AppModelSetup runnableSetup() {
        AppModelSetup s = setup();
        s.suite = tinyConfiguration();
        s.storage.benchmark = {.fileSize = StorageBenchmarkConfiguration::minimumFileSize,
                               .runsPerTest = 1,
                               .measureSeconds = 30,
                               .settleSeconds = 0};
        s.storage.drives = fixtureDriveHealth(fixtureMachine("amd-desktop"));
        return s;
    }

    // Every control that starts a run or sets a run option, resume included while offered.
    std::vector<QWidget*> runControls() const {
        TestLauncher& launcher = *screen->launcher();
        std::vector<QWidget*> controls{launcher.fullRunButton(), launcher.durationDropdown(), launcher.bypassCheckBox()};
        if (screen->resumeCard()->isVisible()) controls.push_back(screen->resumeCard()->resumeButton());
        for (RetroButton* button : launcher.testButtons()) controls.push_back(button);
        controls.push_back(launcher.storageButton());
        controls.push_back(launcher.washerButton());
        return controls;
    }
    bool allEnabled(bool enabled) const {
        return std::ranges::all_of(runControls(), [&](QWidget* control) { return control->isEnabled() == enabled; });
    }
    void awaitGateFree() { ASSERT_TRUE(runUntil([&] { return !model->runGate().isBusy(); })); }

    TemporaryFolder target;
};

TEST_F(DashboardBindingTest, RunControlsWaitWhileAnyRunHoldsTheGate) {
    makeDashboard(runnableSetup());
    model->setResumable(BenchmarkSession::start(sampleLaptopSpecs(), TestPlans::full));
    ASSERT_TRUE(screen->resumeCard()->isVisible());
    EXPECT_TRUE(allEnabled(true));

    chosenFolder = target.path();
    click(screen->launcher()->storageButton());
    ASSERT_TRUE(model->storage().isRunning());
    EXPECT_EQ(model->screen(), AppScreen::storage);
    EXPECT_TRUE(allEnabled(false)) << "resume would be refused by the runner: it must not look available";
    model->storage().stop();
    awaitGateFree();
    EXPECT_TRUE(allEnabled(true));

    click(screen->launcher()->testButtons().front()); // the display test waits for its station
    ASSERT_TRUE(model->suite().isRunning());
    EXPECT_EQ(model->suite().plan(), TestPlans::displayOnly);
    EXPECT_FALSE(screen->launcher()->isEnabled());
    model->suite().stop();
    awaitGateFree();
    EXPECT_TRUE(screen->launcher()->isEnabled());
}

TEST_F(DashboardBindingTest, LauncherWaitsForTheSpecs) {
    AppModelSetup unread = setup();
    unread.specs.reset();
    unread.readSpecs = sampleLaptopSpecs;
    makeDashboard(std::move(unread));
    EXPECT_TRUE(allEnabled(false));
    EXPECT_TRUE(screen->specsPanel()->isLoading());

    awaitTask(model->start());
    EXPECT_TRUE(screen->launcher()->isEnabled());
    EXPECT_FALSE(screen->specsPanel()->isLoading());
    EXPECT_EQ(screen->heading()->name()->fullText(), "Laptop 13");
    // The live feed's samples reach the charts.
    ASSERT_TRUE(runUntil([&] { return !model->telemetry().cpuHistory().values().empty(); }));
    EXPECT_EQ(screen->specsPanel()->card(SpecsChart::cpu)->chart()->values(), model->telemetry().cpuHistory().values());
}

TEST_F(DashboardBindingTest, CancelledFolderChooserStartsNothing) {
    makeDashboard(runnableSetup());
    click(screen->launcher()->storageButton());
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_FALSE(model->runGate().isBusy());
    EXPECT_EQ(model->screen(), AppScreen::dashboard);
    EXPECT_TRUE(screen->launcher()->isEnabled());
}

TEST_F(DashboardBindingTest, OptionsAreTheRunnersAndDiscardForgetsTheRun) {
    makeDashboard(setup());
    screen->launcher()->durationDropdown()->setOpen(true);
    click(screen->launcher()->durationDropdown()->list(),
          screen->launcher()->durationDropdown()->list()->rowRect(6).center()); // 30 minutes
    EXPECT_EQ(model->suite().durationMinutes(), 30);
    click(screen->launcher()->bypassCheckBox());
    EXPECT_TRUE(model->suite().bypassPeripherals());
    click(screen->launcher()->washerButton());
    EXPECT_TRUE(model->isWasherSetupVisible());

    const BenchmarkSession session = BenchmarkSession::start(sampleLaptopSpecs(), TestPlans::full);
    model->store().saveSession(session, sampleLaptopSpecs());
    model->setResumable(session);
    click(screen->resumeCard()->discardButton());
    EXPECT_FALSE(model->resumable());
    EXPECT_FALSE(screen->resumeCard()->isVisible());
    EXPECT_FALSE(std::filesystem::exists(folder / "benchmark-session.json"));

    // A run another window saved after this one was offered is not the one discarded.
    model->setResumable(session);
    const BenchmarkSession other = BenchmarkSession::start(sampleLaptopSpecs(), TestPlans::full);
    model->store().saveSession(other, sampleLaptopSpecs());
    click(screen->resumeCard()->discardButton());
    ASSERT_TRUE(model->store().loadResumableSession(sampleLaptopSpecs()));
    EXPECT_EQ(model->store().loadResumableSession(sampleLaptopSpecs())->sessionID, other.sessionID);
}

TEST_F(DashboardBindingTest, GradeDotTakesClicksOnlyOnItsDisc) {
    ResultStore(folder.path()).saveReport(FinalBenchmarkReport{.gpuResult = GpuBenchmarkResult{.score = 120}});
    makeDashboard(setup());
    GradeDot* dot = screen->heading()->gradeDot();
    ASSERT_TRUE(dot->isVisible()) << "results exist";
    EXPECT_EQ(dot->view().letter, "\u2014") << "no health score, no grade";

    click(dot, {2, 2}); // the frame's corner, outside the disc
    EXPECT_EQ(model->screen(), AppScreen::dashboard);
    click(dot, {GradeDot::side / 2, 3});
    EXPECT_EQ(model->screen(), AppScreen::result);
}

TEST_F(DashboardBindingTest, UpdateOfferShowsItsDetailsAndNotesUntilPutOff) {
    persianServer.answer("app-update", CannedReply::object(200, {{"version", "1.1"},
                                                                 {"download_url", "https://zantiva.ir/get"},
                                                                 {"is_direct_download", false},
                                                                 {"released", "2026-11-30T23:30:00Z"},
                                                                 {"file_size_bytes", 1'500'000},
                                                                 {"notes_en", {"Faster", "  ", "Smaller"}}}));
    makeDashboard(setup());
    UpdateNoticeCard& card = *screen->updateCard();
    EXPECT_FALSE(card.isVisible());
    awaitTask(model->checkForUpdate());
    ASSERT_TRUE(card.isVisible());
    EXPECT_EQ(card.title()->text(), "نسخهٔ 1.1.0 آماده است");
    EXPECT_EQ(card.details()->prose(), "نسخهٔ شما: 1.0.0  \u00B7  منتشرشده در 2026-11-30  \u00B7  2 مگابایت");
    EXPECT_EQ(card.getButton()->text(), "باز کردن وب‌سایت");

    EXPECT_FALSE(card.notesSection()->isVisible());
    click(card.notesButton());
    EXPECT_TRUE(card.notesSection()->isVisible());
    EXPECT_EQ(card.noteLines(), (QStringList{"\u2022 Faster", "\u2022 Smaller"})) << "English notes in Persian";
    click(card.notesButton());
    EXPECT_FALSE(card.notesSection()->isVisible());

    click(card.getButton());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.back(), QUrl("https://zantiva.ir/get"));
    click(card.laterButton());
    EXPECT_FALSE(card.isVisible());
    EXPECT_EQ(model->settings().current().dismissedUpdateVersion, "1.1.0");
}

} // namespace
