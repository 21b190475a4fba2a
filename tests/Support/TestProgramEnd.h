#pragma once

// The entry of a test program whose tests reach the sound server: every test runs under an
// application of type App with Qt Multimedia's device watch as the program has it
// (Media/DeviceWatch.h), and the process then ends as the program does (Platform/ProcessEnd.h),
// once the application is gone and with it the libraries' state that it frees.

#include <gtest/gtest.h>

#include "Media/DeviceWatch.h"
#include "Platform/ProcessEnd.h"

namespace zantiva::testing {

template <class App>
[[noreturn]] void runTestsAndEnd(int argc, char** argv) {
    int status = 0;
    leaveUnusedProvidersOutOfDeviceWatch();
    {
        App application(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
    }
    endProcess(status);
}

} // namespace zantiva::testing
