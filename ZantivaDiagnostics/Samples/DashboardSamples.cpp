#include "Samples/DashboardSamples.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <cmath>

#include "Controls/RetroButton.h"
#include "Dashboard/DashboardScreen.h"
#include "Dashboard/HeaderBar.h"
#include "Dashboard/UpdateNoticeCard.h"
#include "ExternalScreens/ExternalBenchmarksCard.h"
#include "Gallery/PreviewSamples.h"
#include "LocalizedViews/LocNotifier.h"
#include "Model/BenchmarkSession.h"
#include "Model/TestPlans.h"
#include "Presenters/HeaderPresenter.h"
#include "Samples/ExternalSamples.h"

namespace zantiva {
namespace {

// A calm made-up load curve, the same on every run.
TelemetryHistory curve(double base, double swing, double period) {
    TelemetryHistory history(90);
    for (int i = 0; i < 75; ++i)
        history.append(base + swing * std::sin(i / period) + swing * 0.4 * std::sin(i / (period * 0.37)));
    return history;
}

DashboardState sampleState(const SystemSpecs& specs) {
    using namespace std::chrono;
    BenchmarkSession unfinished = BenchmarkSession::start(specs, TestPlans::full);
    unfinished.completedSteps = {TestModule::cpuBenchmark, TestModule::gpuBenchmark, TestModule::ramTest};
    return {
        .update = UpdateNoticeState{
            .offeredVersion = "1.1.0",
            .runningVersion = "1.0.0",
            .isDirectDownload = true,
            .released = sys_days{year{2026} / 11 / 30} + hours{23} + minutes{30},
            .fileSizeBytes = 48'234'496,
        },
        .resumable = unfinished,
        .device = {.specs = specs, .hasResults = true, .grade = DeviceGrade::b},
        .launcher = {.hasSpecs = true},
        .runningVersion = "1.0.0",
    };
}

// The site's notes in the interface's language.
std::vector<std::string> releaseNotes(AppLanguage language) {
    if (language == AppLanguage::persian)
        return {"تست حافظه اکنون خطاهای تک‌بیتی را جداگانه گزارش می‌کند.",
                "نمودارهای بار پردازنده و گرافیک روان‌تر به‌روز می‌شوند.",
                "ترجمهٔ فارسی چند صفحه اصلاح شد."};
    return {"The memory test now reports single-bit errors separately.",
            "The CPU and GPU load charts update more smoothly.",
            "Several Persian translations were corrected."};
}

std::unique_ptr<DashboardScreen> sampleDashboard(LocNotifier& loc) {
    auto* externalCard = new ExternalBenchmarksCard;
    auto screen = std::make_unique<DashboardScreen>(loc, externalCard);
    showDashboardSample(*screen, *externalCard, loc);
    return screen;
}

} // namespace

std::unique_ptr<QWidget> dashboardSample(LocNotifier& loc) { return sampleDashboard(loc); }

std::unique_ptr<QWidget> dashboardTestsSample(LocNotifier& loc) {
    auto screen = sampleDashboard(loc);
    QScrollBar* bar = screen->scrollArea()->verticalScrollBar();
    // Once shown and laid out: the bar's range is known only then.
    QTimer::singleShot(100, screen.get(), [bar] { bar->setValue(bar->maximum()); });
    return screen;
}

void showDashboardSample(DashboardScreen& screen, ExternalBenchmarksCard& externalCard, LocNotifier& loc) {
    const SystemSpecs specs = PreviewSamples::systemSpecs();
    DashboardScreen* shown = &screen;
    loc.bind(shown, [shown, specs, &loc] {
        DashboardState state = sampleState(specs);
        state.update->notes = releaseNotes(loc.language());
        shown->show(DashboardPresenter::present(state, loc.loc()));
    });
    screen.showSpecs(specs);
    screen.showTelemetry(PreviewSamples::sensorSnapshot());
    screen.showHistories({{SpecsChart::cpu, curve(24, 14, 5)},
                          {SpecsChart::memory, curve(41, 3, 11)},
                          {SpecsChart::gpu, curve(9, 6, 3)}});
    screen.updateCard()->notesButton()->click();
    ExternalSamples::showFoldedCard(externalCard, loc);
}

std::unique_ptr<QWidget> headerSample(LocNotifier& loc) {
    auto sample = std::make_unique<QWidget>();
    auto* signedOut = new HeaderBar;
    auto* signedIn = new HeaderBar;
    loc.bind(sample.get(), [signedOut, signedIn, &loc] {
        signedOut->show(HeaderPresenter::present({.isSignedIn = false}, loc.loc()));
        signedIn->show(HeaderPresenter::present({.isSignedIn = true}, loc.loc()));
    });
    auto* bars = new QVBoxLayout(sample.get());
    bars->setContentsMargins(0, 0, 0, 0);
    bars->setSpacing(16);
    bars->addWidget(signedOut);
    bars->addWidget(signedIn);
    bars->addStretch();
    return sample;
}

} // namespace zantiva
