#include "Stations/DisplayStationBinding.h"

#include "LocalizedViews/LocNotifier.h"
#include "Runners/TestSuiteRunner.h"
#include "Stations/DisplayTestController.h"

namespace zantiva {

void bindDisplayStation(DisplayStation& page, TestSuiteRunner& runner, LocNotifier& loc) {
    auto* controller = new DisplayTestController(loc, &page);
    page.setController(controller);
    const auto refresh = [&page, controller, &loc] {
        page.show(DisplayStationPresenter::present(controller->isShowing(), loc.loc()));
    };
    QObject::connect(controller, &DisplayTestController::showingChanged, &page, refresh);
    loc.bind(&page, refresh);
    QObject::connect(&page, &DisplayStation::startRequested, controller, [&page, &runner, controller] {
        controller->present(page.screen(), [&runner](std::optional<DisplayTestResult> result) {
            runner.complete(result ? StationOutcome::display(std::move(*result)) : StationOutcome::skipped());
        });
    });
}

} // namespace zantiva
