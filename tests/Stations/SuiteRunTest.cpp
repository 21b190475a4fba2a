// The suite screen bound to a real app model whose runner drives the real engines with tiny
// workloads: which page each module gets, what the pages show, and what Stop leaves behind.

#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

#include "../App/AppModelFixture.h"
#include "../Runners/SuiteTestSupport.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "Figures/MetricRow.h"
#include "LocalizedViews/LocNotifier.h"
#include "Model/TestPlans.h"
#include "Presenters/ModuleText.h"
#include "Stations/AudioStation.h"
#include "Stations/CPUStation.h"
#include "Stations/DisplayStation.h"
#include "Stations/DisplayTestController.h"
#include "Stations/DisplayTestScreen.h"
#include "Stations/GPUStation.h"
#include "Stations/GpuPreviewFrame.h"
#include "Stations/InputStation.h"
#include "Stations/LiveUsageCharts.h"
#include "Stations/MicCameraStation.h"
#include "Stations/StationView.h"
#include "Stations/StopConfirmation.h"
#include "Shell/Navigation.h"
#include "Stations/SuiteScreenBinding.h"
#include "Stations/Verdict.h"
#include "Support/InputCheckAnswer.h"
#include "Typography/ProseLabel.h"

namespace zantiva::testing {
namespace {

using enum TestModule;

class SuiteRunTest : public AppModelFixture {
protected:
    void SetUp() override {
        AppModelSetup tiny = setup();
        tiny.suite = tinyConfiguration();
        makeModel(std::move(tiny));
        bindNavigation(*model);
        runner().setDurationMinutes(0);
        screen.resize(1440, 900);
        bindSuiteScreen(screen, model->suite(), *model, notifier);
        screen.show();
    }

    TestSuiteRunner& runner() { return model->suite(); }
    StationView* station() const { return qobject_cast<StationView*>(screen.station()); }
    template <typename Page> Page* page() const { return station() ? qobject_cast<Page*>(station()->page()) : nullptr; }

    void confirmStop() {
        screen.stopButton()->click();
        ASSERT_TRUE(screen.isConfirmingStop());
        screen.stopConfirmation()->confirmButton()->click();
    }

    LocNotifier notifier{loc};
    SuiteScreen screen;
};

TEST_F(SuiteRunTest, EveryModuleGetsAFreshPageAndEachCheckIsAnsweredOnIt) {
    std::vector<std::string> pages;
    QPointer<QWidget> previous;
    bool previewShown = false;
    QObject::connect(&runner(), &TestSuiteRunner::currentChanged, &screen, [&] {
        EXPECT_TRUE(previous.isNull()) << "the last module's page outlived it";
        if (!runner().current()) return;
        ASSERT_TRUE(station());
        EXPECT_EQ(station()->title()->prose(), QString::fromStdString(loc[ModuleText::titleKey(*runner().current())]));
        previous = station()->page();
        pages.push_back(station()->page()->metaObject()->className());
        if (auto* display = page<DisplayStation>()) {
            display->startButton()->click();
            display->controller()->screen()->exitButton()->click();
        }
        if (auto* keys = page<InputStation>()) answerInputCheck(*keys);
        if (auto* speaker = page<AudioStation>()) {
            speaker->heardBox(AudioChannel::left)->click();
            speaker->heardBox(AudioChannel::right)->click();
            speaker->verdict()->continueButton()->click();
        }
        // Heard after the page's own binding, which was connected when the page was made.
        if (auto* gpu = page<GPUStation>())
            QObject::connect(&runner(), &TestSuiteRunner::gpuPreviewChanged, gpu, [&, gpu] {
                if (!runner().gpuPreview()) return;
                previewShown = true;
                EXPECT_EQ(gpu->preview()->image().size(), QSize(runner().gpuPreview()->width, runner().gpuPreview()->height));
                EXPECT_TRUE(gpu->previewPending()->isHidden());
            });
    });

    runner().start(TestPlans::full);
    ASSERT_TRUE(runUntil([&] {
        // Answered once its check has begun: the test sound server's microphone, no camera.
        if (auto* micCamera = page<MicCameraStation>(); micCamera && micCamera->meter()->isVisible())
            micCamera->verdict()->continueButton()->click();
        return model->screen() == AppScreen::result;
    }));

    EXPECT_EQ(pages, (std::vector<std::string>{"zantiva::CPUStation", "zantiva::GPUStation", "zantiva::RAMStation",
                                               "zantiva::DisplayStation", "zantiva::AudioStation",
                                               "zantiva::MicCameraStation", "zantiva::BatteryStation",
                                               "zantiva::InputStation"}));
    EXPECT_EQ(screen.station(), nullptr);
    const auto& statuses = runner().statuses();
    EXPECT_EQ(statuses.at(display), ModuleStatus::skipped);
    EXPECT_EQ(statuses.at(audio), ModuleStatus::passed);
    EXPECT_EQ(statuses.at(micCamera), ModuleStatus::passed);
    EXPECT_EQ(statuses.at(input), ModuleStatus::passed);
    EXPECT_EQ(screen.statusText(input)->prose(), QString::fromStdString(loc["Status.Passed"]));
    // Every key pressed once on the physical keyboard: nothing missing, nothing twice.
    const FinalBenchmarkReport& report = model->report();
    EXPECT_EQ(report.audioPassed, true);
    EXPECT_EQ(report.inputPassed, true);
    EXPECT_EQ(report.micCameraPassed, true);
    EXPECT_TRUE(report.cameraBypassed);
    ASSERT_TRUE(report.keyboardResult);
    EXPECT_GT(report.keyboardResult->totalKeysChecked, 0);
    EXPECT_EQ(report.keyboardResult->deductionCount(), 0);
    if (statuses.at(gpuBenchmark) == ModuleStatus::passed) {
        EXPECT_TRUE(previewShown);
    }
}

TEST_F(SuiteRunTest, StopAtAWaitingCheckAsksFirstAndLeavesTheRunResumable) {
    runner().start(TestPlans::audioMic);
    ASSERT_TRUE(runUntil([&] { return runner().isAwaitingStation() && page<AudioStation>(); }));

    // Escape and Cancel both leave the run as it was.
    screen.stopButton()->click();
    ASSERT_TRUE(screen.isConfirmingStop());
    QTest::keyClick(screen.stopConfirmation(), Qt::Key_Escape);
    EXPECT_FALSE(screen.isConfirmingStop());
    screen.stopButton()->click();
    screen.stopConfirmation()->cancelButton()->click();
    EXPECT_FALSE(screen.isConfirmingStop());
    EXPECT_TRUE(runner().isRunning());
    EXPECT_TRUE(runner().isAwaitingStation());

    confirmStop();
    ASSERT_TRUE(runUntil([&] { return !runner().isRunning() && model->resumable(); }));
    EXPECT_EQ(screen.statusText(audio)->prose(), QString::fromStdString(loc["Status.Cancelled"]));
    EXPECT_EQ(screen.statusText(micCamera)->prose(), QString::fromStdString(loc["Status.Pending"]));
    EXPECT_FALSE(screen.stopButton()->isEnabled());
    EXPECT_EQ(model->resumable()->remainingModules(), (std::vector{audio, micCamera}));
    const auto offered = model->store().loadResumableSession(sampleLaptopSpecs());
    ASSERT_TRUE(offered);
    EXPECT_EQ(offered->toJson(), model->resumable()->toJson());
    ASSERT_TRUE(runUntil([&] { return model->screen() == AppScreen::dashboard; }));
}

TEST_F(SuiteRunTest, TheCpuPageFollowsTheRunAndTheLanguageUntilStopped) {
    runner().setDurationMinutes(1);
    runner().start(TestPlans::cpuOnly);
    // The trace takes the live reading once a second: the idle feed gives a load and nothing else.
    ASSERT_TRUE(runUntil([&] { return runner().cpuProgress() && runner().trace().hasLoad; }));
    CPUStation* cpu = page<CPUStation>();
    ASSERT_TRUE(cpu);
    EXPECT_EQ(cpu->phase()->prose(), QString::fromStdString(loc[localizationKey(runner().cpuProgress()->phase)]));
    EXPECT_EQ(cpu->metrics()->metrics().size(), 3u) << "no temperature or power without sensors";
    EXPECT_EQ(cpu->charts()->charts().size(), 1u);

    model->setLanguage(AppLanguage::english);
    EXPECT_EQ(station()->title()->prose(), "CPU Benchmark");
    EXPECT_EQ(cpu->charts()->title()->prose(), "LIVE RESOURCE USAGE");

    confirmStop();
    ASSERT_TRUE(runUntil([&] { return !runner().isRunning() && model->resumable(); }));
    EXPECT_EQ(screen.statusText(cpuBenchmark)->prose(), "Cancelled");
    EXPECT_EQ(model->resumable()->remainingModules(), std::vector{cpuBenchmark});
}

} // namespace
} // namespace zantiva::testing
