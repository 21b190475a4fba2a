#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Localization/LocalizedMessage.h"
#include "Model/TestModule.h"
#include "Palette/PaletteColor.h"

namespace zantiva {

class Loc;

// What the suite screen reads of the test-suite runner.
struct SuiteState {
    std::vector<TestModule> plan;
    std::map<TestModule, ModuleStatus> statuses; // a planned module without one is pending
    std::map<TestModule, LocalizedMessage> failures;
    std::optional<TestModule> current;
    std::optional<LocalizedMessage> notice;
    bool wasResumed = false;
    bool isReadingDrives = false;
    bool isRunning = false;
};

// One module of the plan in the module list: its name, its status badge and, when it could
// not run, why.
struct SuiteRow {
    TestModule module = TestModule::cpuBenchmark;
    std::string title;
    bool isCurrent = false; // drawn at full strength, the others faded
    std::string status;
    PaletteColor badgeBackground = PaletteColor::card;
    PaletteColor badgeForeground = PaletteColor::text;
    std::optional<std::string> failure;

    bool operator==(const SuiteRow&) const = default;
};

// The texts of the question asked before a run is stopped.
struct StopConfirmationView {
    std::string title;
    std::string body;
    std::string confirm;
    std::string cancel;

    bool operator==(const StopConfirmationView&) const = default;
};

// The suite screen: the notices beside the station card, and the module list with the
// Stop button. The station card itself is built for the current module apart from this.
struct SuiteView {
    std::optional<std::string> resumed;
    std::optional<std::string> readingDrives;
    std::optional<std::string> notice;
    std::string title;
    std::vector<SuiteRow> rows; // in plan order
    std::string stop;
    bool canStop = false;
    StopConfirmationView stopConfirmation;

    bool operator==(const SuiteView&) const = default;
};

namespace SuitePresenter {

SuiteView present(const SuiteState& state, const Loc& loc);

} // namespace SuitePresenter
} // namespace zantiva
