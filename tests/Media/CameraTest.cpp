// The camera capture without a camera device: frames are pushed into the video sink the way
// a camera delivers them.

#include <gtest/gtest.h>

#include <QVideoFrame>
#include <QVideoSink>
#include <unistd.h>

#include "../Support/AwaitTask.h"
#include "Media/CameraController.h"
#include "Media/MediaDevices.h"

namespace zantiva::testing {
namespace {

using namespace std::chrono_literals;

QVideoFrame blackFrame() {
    QVideoFrame frame(QVideoFrameFormat(QSize(64, 48), QVideoFrameFormat::Format_BGRX8888));
    frame.map(QVideoFrame::WriteOnly);
    std::fill_n(frame.bits(0), frame.mappedBytes(0), 0);
    frame.unmap();
    return frame;
}

void turnEventLoop(std::chrono::milliseconds time) { runUntil([] { return false; }, time); }

TEST(CameraDelivery, ACameraFailsOnceWhenNoFrameComesOrItReportsAnError) {
    QVideoSink sink;
    CameraDelivery delivery(sink, 50ms);
    int failures = 0;
    QObject::connect(&delivery, &CameraDelivery::failed, [&] { ++failures; });

    delivery.watch();
    ASSERT_TRUE(runUntil([&] { return failures > 0; }, 5s));
    turnEventLoop(150ms);
    EXPECT_EQ(failures, 1);
    EXPECT_FALSE(delivery.isWatching());

    // Frames keep a watch alive; an error still ends it.
    failures = 0;
    delivery.watch();
    sink.setVideoFrame(blackFrame());
    turnEventLoop(150ms);
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(delivery.isDelivering());
    delivery.reportError();
    EXPECT_EQ(failures, 1);

    // An invalid frame is no picture.
    failures = 0;
    delivery.watch();
    sink.setVideoFrame(QVideoFrame());
    ASSERT_TRUE(runUntil([&] { return failures > 0; }, 5s));
}

TEST(CameraDelivery, AnEndedWatchFailsNothing) {
    QVideoSink sink;
    CameraDelivery delivery(sink, 20ms);
    int failures = 0;
    QObject::connect(&delivery, &CameraDelivery::failed, [&] { ++failures; });
    delivery.watch();
    delivery.end();
    delivery.reportError();
    turnEventLoop(100ms);
    EXPECT_EQ(failures, 0);
}

TEST(CameraController, WithoutACameraStartFailsOnceAfterItReturnsAndStopCancelsThat) {
    if (!MediaDevices::cameras().isEmpty()) GTEST_SKIP() << "this machine has a camera";
    EXPECT_TRUE(awaitTask(MediaDevices::requestAccess(MediaType::video))) << "no camera refuses nothing";
    CameraController camera;
    int failures = 0;
    camera.start([&] { ++failures; });
    EXPECT_EQ(failures, 0) << "reported from inside start()";
    camera.start([&] { ++failures; });
    ASSERT_TRUE(runUntil([&] { return failures > 0; }, 5s));
    turnEventLoop(50ms);
    EXPECT_EQ(failures, 1);
    EXPECT_FALSE(camera.isRunning());

    failures = 0;
    camera.start([&] { ++failures; });
    camera.stop();
    turnEventLoop(50ms);
    EXPECT_EQ(failures, 0);
}

TEST(MediaDevices, OnlyARefusalToOpenCountsAsDenied) {
    EXPECT_TRUE(MediaDevices::mayOpen("/dev/null"));
    EXPECT_TRUE(MediaDevices::mayOpen("/dev/no-such-camera")) << "a missing node is the camera's failure to start";
    if (::geteuid() == 0) GTEST_SKIP() << "root opens any node";
    EXPECT_FALSE(MediaDevices::mayOpen("/etc/shadow"));
}

} // namespace
} // namespace zantiva::testing
