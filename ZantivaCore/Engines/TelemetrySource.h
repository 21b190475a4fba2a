#pragma once

#include <functional>
#include <optional>

#include "Model/SensorSnapshot.h"

namespace zantiva {

// One reading of the machine's sensors, taken on demand from any thread; no value when
// nothing could be read. An empty function means the caller has no telemetry at all.
using TelemetrySource = std::function<std::optional<SensorSnapshot>()>;

} // namespace zantiva
