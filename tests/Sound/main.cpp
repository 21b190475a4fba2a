#include <QCoreApplication>
#include <gtest/gtest.h>

#include "Platform/ProcessEnd.h"

// The players need an event loop; the tests that sound run under scripts/with-services.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    // Ends as the program does, without the sound-server teardown that may abort at exit.
    zantiva::endProcess(RUN_ALL_TESTS());
}
