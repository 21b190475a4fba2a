#include <QGuiApplication>
#include <gtest/gtest.h>

#include "Platform/ProcessEnd.h"

// Sound and camera need an application with an event loop; video frames need Qt Gui, which
// draws offscreen without a display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    // Ends as the program does, without the sound-server teardown that may abort at exit.
    zantiva::endProcess(RUN_ALL_TESTS());
}
