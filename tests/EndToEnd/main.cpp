#include <gtest/gtest.h>

#include "Platform/ProcessEnd.h"
#include "ReportingApplication.h"

// The program's own application object, so that an exception escaping an event handler takes
// the path it takes in the program; without a display it draws offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zantiva::ReportingApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    // Ends as the program does, without the sound-server teardown that may abort at exit.
    zantiva::endProcess(RUN_ALL_TESTS());
}
