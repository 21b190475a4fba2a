#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Model/GpuRenderProgress.h"
#include "Presenters/LiveUsagePresenter.h"
#include "PanelPresenters/MetricValue.h"
#include "Probes/LoadTrace.h"

namespace zantiva {

class Loc;

// What the GPU page reads of the suite runner and the app model. The preview image itself
// goes to the page apart from the view: only whether there is one decides the layout.
struct GpuStationState {
    std::optional<GpuRenderProgress> progress; // absent before the engine's first report
    bool hasPreview = false;
    int durationMinutes = 3;
    LoadTrace trace;
    std::optional<std::string> gpuName;        // the specs' GPU, once the specs are known
};

// The box that names the graphics device under test.
struct GpuAdapterView {
    std::string label;
    std::string name;

    bool operator==(const GpuAdapterView&) const = default;
};

// The GPU page, top to bottom.
struct GpuStationView {
    std::string subtitle;
    std::optional<GpuAdapterView> adapter;      // only with known specs
    std::string stage;
    double fraction = 0;                        // 0 ... 1
    std::vector<MetricValue> metrics;           // live score, frame time, elapsed
    std::optional<std::string> previewPending;  // absent: the preview image is shown
    std::vector<MetricValue> usage;             // one per reading the trace has had; empty: no row
    LiveUsageView charts;
    std::string reference;

    bool operator==(const GpuStationView&) const = default;
};

namespace GpuStationPresenter {

// The bar follows the elapsed time against the chosen duration; it holds at 0.99 until the
// sustained stage, whose end is the run's end.
GpuStationView present(const GpuStationState& state, const Loc& loc);

} // namespace GpuStationPresenter
} // namespace zantiva
