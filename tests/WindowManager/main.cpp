#include <QApplication>
#include <gtest/gtest.h>

// Runs on the X server, under the window manager, that under-window-manager.sh starts.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
