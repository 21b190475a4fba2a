#include "Presenters/LauncherPresenter.h"

#include <string_view>
#include <utility>

#include "Localization/Loc.h"
#include "Model/TestPlans.h"

namespace zantiva::LauncherPresenter {
namespace {

// The label key of each single-test plan, in the launcher's order (TestPlans::singleTestPlans).
const std::vector<std::pair<std::string_view, std::vector<TestModule>>>& singleTests() {
    static const std::vector<std::pair<std::string_view, std::vector<TestModule>>> tests{
        {"Dashboard.Test.Display", TestPlans::displayOnly}, {"Dashboard.Test.Ram", TestPlans::ramOnly},
        {"Dashboard.Test.Cpu", TestPlans::cpuOnly},         {"Dashboard.Test.Gpu", TestPlans::gpuOnly},
        {"Dashboard.Test.Performance", TestPlans::performance}, {"Dashboard.Test.AudioMic", TestPlans::audioMic},
        {"Dashboard.Test.Battery", TestPlans::batteryOnly}, {"Dashboard.Test.Input", TestPlans::inputOnly},
    };
    return tests;
}

} // namespace

bool canStartRun(bool isRunBusy, bool hasSpecs) { return !isRunBusy && hasSpecs; }

LauncherView present(const LauncherState& state, const Loc& loc) {
    LauncherView view{
        .isEnabled = canStartRun(state.isRunBusy, state.hasSpecs),
        .fullRun = {loc["Bench.Title"], TestPlans::full},
        .durationLabel = loc["Dashboard.Duration"],
        .durations = {durations.begin(), durations.end()},
        .duration = state.durationMinutes,
        .minutesLabel = loc["Dashboard.Minutes"],
        .singleTestsTitle = loc["Dashboard.Individual"],
        .storageTestLabel = loc["Dashboard.Test.Ssd"],
        .bypassLabel = loc["Suite.PeripheralBypass"],
        .bypassPeripherals = state.bypassPeripherals,
        .maintenanceTitle = loc["Dashboard.Maintenance"],
        .washerLabel = loc["Dashboard.ScreenWasher"],
        .washerTip = loc["Dashboard.ScreenWasherTip"],
    };
    for (const auto& [key, plan] : singleTests()) view.singleTests.push_back({loc[key], plan});
    return view;
}

} // namespace zantiva::LauncherPresenter
