// The child processes, timers and coroutines of the service run on Qt's event loop.

#include "../../Support/QtTestApplication.h"

namespace {

[[maybe_unused]] const auto* const application =
    ::testing::AddGlobalTestEnvironment(new zantiva::testing::QtTestApplication);

} // namespace
