// Every test of this program runs inside one QCoreApplication: the network and the request
// program's runs answer through its event loop.

#include "../../Support/QtTestApplication.h"

[[maybe_unused]] static const auto* const application =
    ::testing::AddGlobalTestEnvironment(new zantiva::testing::QtTestApplication);
