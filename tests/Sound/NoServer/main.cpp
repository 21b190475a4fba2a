#include <QApplication>
#include <gtest/gtest.h>

// The sound server's address is set before Qt Multimedia first looks for one.
int main(int argc, char** argv) {
    qputenv("PULSE_SERVER", "unix:/nonexistent/zantiva-no-sound-server");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
