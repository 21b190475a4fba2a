#include "Stations/StationViewBinding.h"

#include "App/AppModel.h"
#include "LocalizedViews/LocNotifier.h"
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

QWidget* makePage(TestModule module, AppModel& model, LocNotifier& loc) {
    switch (module) {
    case TestModule::cpuBenchmark: return boundPage<CPUStation>(bindCPUStation, model.suite(), loc);
    case TestModule::gpuBenchmark: return boundPage<GPUStation>(bindGPUStation, model, loc);
    case TestModule::ramTest: return boundPage<RAMStation>(bindRAMStation, model.suite(), loc);
    case TestModule::battery: return boundPage<BatteryStation>(bindBatteryStation, model.suite(), loc);
    case TestModule::display: return boundPage<DisplayStation>(bindDisplayStation, model.suite(), loc);
    case TestModule::audio: return boundPage<AudioStation>(bindAudioStation, model.suite(), loc);
    case TestModule::micCamera: return boundPage<MicCameraStation>(bindMicCameraStation, model.suite(), loc);
    case TestModule::input: return boundPage<InputStation>(bindInputStation, model.suite(), loc);
    }
    return nullptr;
}

} // namespace

void bindStationView(StationView& view, TestModule module, AppModel& model, LocNotifier& loc) {
    loc.bind(&view, [&view, module, &loc] { view.show(StationFramePresenter::heading(module, loc.loc())); });
    view.setPage(makePage(module, model, loc));
}

} // namespace zantiva
