#pragma once

#include <array>
#include <string>
#include <vector>

#include "Model/TestModule.h"

namespace zantiva {

class Loc;

// What the test launcher is shown from.
struct LauncherState {
    bool isRunBusy = false; // a suite, storage or outside-benchmark run holds the run gate
    bool hasSpecs = false;  // the specs are read
    int durationMinutes = 3;
    bool bypassPeripherals = false;
};

// A button that starts a run of the plan.
struct LaunchButton {
    std::string label;
    std::vector<TestModule> plan;

    bool operator==(const LaunchButton&) const = default;
};

// The test launcher: the full run, the run options, the single tests and the storage test,
// then the maintenance tools. Everything in it is disabled together.
struct LauncherView {
    bool isEnabled = false;
    LaunchButton fullRun;
    std::string durationLabel;
    std::vector<int> durations;
    int duration = 3;
    std::string minutesLabel;
    std::string singleTestsTitle;
    std::vector<LaunchButton> singleTests;
    std::string storageTestLabel;
    std::string bypassLabel;
    bool bypassPeripherals = false;
    std::string maintenanceTitle;
    std::string washerLabel;
    std::string washerTip;

    bool operator==(const LauncherView&) const = default;
};

namespace LauncherPresenter {

// The CPU and GPU minutes on offer, in the dropdown's order.
inline constexpr std::array<int, 7> durations{3, 5, 10, 15, 20, 25, 30};

// The busy rule of everything that starts a run: no run holds the gate and the specs are read.
bool canStartRun(bool isRunBusy, bool hasSpecs);

LauncherView present(const LauncherState& state, const Loc& loc);

} // namespace LauncherPresenter
} // namespace zantiva
