#include "Stations/GPUStationBinding.h"

#include <memory>

#include "Feeds/SpecsFeed.h"
#include "LocalizedViews/LocNotifier.h"
#include "Runners/TestSuiteRunner.h"
#include "Stations/GpuPreviewFrame.h"

namespace zantiva {

void bindGPUStation(GPUStation& page, const TestSuiteRunner& runner, const SpecsFeed& specs, LocNotifier& loc) {
    // Converted once per new preview, not at every frame's progress report.
    auto preview = std::make_shared<QImage>();
    const auto refresh = [&page, &runner, &specs, &loc, preview] {
        GpuStationState state{
            .progress = runner.gpuProgress(),
            .hasPreview = !preview->isNull(),
            .durationMinutes = runner.durationMinutes(),
            .trace = runner.trace(),
            .gpuName = specs.specs() ? std::optional(specs.specs()->gpuName) : std::nullopt,
        };
        page.show(GpuStationPresenter::present(state, loc.loc()));
    };
    const auto takePreview = [&page, &runner, preview, refresh] {
        *preview = runner.gpuPreview() ? previewImage(*runner.gpuPreview()) : QImage();
        page.setPreview(*preview);
        refresh();
    };
    QObject::connect(&runner, &TestSuiteRunner::gpuPreviewChanged, &page, takePreview);
    for (const auto changed : {&TestSuiteRunner::gpuProgressChanged, &TestSuiteRunner::traceChanged,
                               &TestSuiteRunner::durationMinutesChanged})
        QObject::connect(&runner, changed, &page, refresh);
    specs.watchSpecs(&page, refresh);
    takePreview();
    loc.bind(&page, refresh);
}

} // namespace zantiva
