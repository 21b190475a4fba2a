#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

// The players need an event loop; the tests that sound run under scripts/with-services.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Qt Multimedia 6.4 takes its sound-server connection down at exit in a way that libpulse
    // may abort on when the machine is busy (an assertion in pa_queue_free); the results are in.
    std::fflush(nullptr);
    std::_Exit(result);
}
