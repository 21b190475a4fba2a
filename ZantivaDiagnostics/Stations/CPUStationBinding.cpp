#include "Stations/CPUStationBinding.h"

#include "LocalizedViews/LocNotifier.h"
#include "Runners/TestSuiteRunner.h"

namespace zantiva {

void bindCPUStation(CPUStation& page, const TestSuiteRunner& runner, LocNotifier& loc) {
    const auto refresh = [&page, &runner, &loc] {
        page.show(CpuStationPresenter::present({runner.cpuProgress(), runner.trace()}, loc.loc()));
    };
    QObject::connect(&runner, &TestSuiteRunner::cpuProgressChanged, &page, refresh);
    QObject::connect(&runner, &TestSuiteRunner::traceChanged, &page, refresh);
    loc.bind(&page, refresh);
}

} // namespace zantiva
