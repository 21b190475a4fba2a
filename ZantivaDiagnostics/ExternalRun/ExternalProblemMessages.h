#pragma once

#include "External/ExternalBenchmarkError.h"
#include "External/ExternalBenchmarkLocatorError.h"
#include "Localization/LocalizedMessage.h"

namespace zantiva {

// What the card and the run screen say about a failed choice of an application or a
// failed run of one of its tools.
LocalizedMessage problemMessage(const ExternalBenchmarkLocatorError& error);
LocalizedMessage problemMessage(const ExternalBenchmarkError& error);

} // namespace zantiva
