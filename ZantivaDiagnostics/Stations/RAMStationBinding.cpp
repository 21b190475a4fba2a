#include "Stations/RAMStationBinding.h"

#include "LocalizedViews/LocNotifier.h"
#include "Runners/TestSuiteRunner.h"

namespace zantiva {

void bindRAMStation(RAMStation& page, const TestSuiteRunner& runner, LocNotifier& loc) {
    const auto refresh = [&page, &runner, &loc] {
        page.show(RamStationPresenter::present({runner.memoryProgress()}, loc.loc()));
    };
    QObject::connect(&runner, &TestSuiteRunner::memoryProgressChanged, &page, refresh);
    loc.bind(&page, refresh);
}

} // namespace zantiva
