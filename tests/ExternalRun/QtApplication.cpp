// Every test of this program runs inside one QCoreApplication: the runner's coroutines, the
// tools' processes and timers move through its event loop.

#include "../Support/QtTestApplication.h"

[[maybe_unused]] static const auto* const application =
    ::testing::AddGlobalTestEnvironment(new zantiva::testing::QtTestApplication);
