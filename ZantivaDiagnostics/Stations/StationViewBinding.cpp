#include "Stations/StationViewBinding.h"

#include "LocalizedViews/LocNotifier.h"
#include "Runners/TestSuiteRunner.h"
#include "Stations/AudioStationBinding.h"
#include "Stations/BatteryStationBinding.h"
#include "Stations/CPUStationBinding.h"
#include "Stations/DisplayStationBinding.h"
#include "Stations/GPUStationBinding.h"
#include "Stations/InputStationBinding.h"
#include "Stations/MicCameraStationBinding.h"
#include "Stations/RAMStationBinding.h"

namespace zantiva {
namespace {

template <typename Page, typename Bind, typename Source>
QWidget* boundPage(Bind bind, Source& source, LocNotifier& loc) {
    auto* page = new Page;
    bind(*page, source, loc);
    return page;
}

QWidget* makePage(TestModule module, TestSuiteRunner& runner, const SpecsFeed& specs, LocNotifier& loc) {
    switch (module) {
    case TestModule::cpuBenchmark: return boundPage<CPUStation>(bindCPUStation, runner, loc);
    case TestModule::gpuBenchmark: {
        auto* page = new GPUStation;
        bindGPUStation(*page, runner, specs, loc);
        return page;
    }
    case TestModule::ramTest: return boundPage<RAMStation>(bindRAMStation, runner, loc);
    case TestModule::battery: return boundPage<BatteryStation>(bindBatteryStation, runner, loc);
    case TestModule::display: return boundPage<DisplayStation>(bindDisplayStation, runner, loc);
    case TestModule::audio: return boundPage<AudioStation>(bindAudioStation, runner, loc);
    case TestModule::micCamera: return boundPage<MicCameraStation>(bindMicCameraStation, runner, loc);
    case TestModule::input: return boundPage<InputStation>(bindInputStation, runner, loc);
    }
    return nullptr;
}

} // namespace

void bindStationView(StationView& view, TestModule module, TestSuiteRunner& runner, const SpecsFeed& specs,
                     LocNotifier& loc) {
    loc.bind(&view, [&view, module, &loc] { view.show(StationFramePresenter::heading(module, loc.loc())); });
    view.setPage(makePage(module, runner, specs, loc));
}

} // namespace zantiva
