// Every test of this program runs inside one QCoreApplication: the network and the
// keyring answer through its event loop.

#include "../../Support/QtTestApplication.h"

[[maybe_unused]] static const auto* const application =
    ::testing::AddGlobalTestEnvironment(new zantiva::testing::QtTestApplication);
