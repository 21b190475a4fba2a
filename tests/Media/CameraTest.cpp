// The camera capture without a camera device: frames are pushed into the video sink the way
// a camera delivers them.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <QVideoFrame>
#include <QVideoSink>
#include <unistd.h>

#include "../Support/AwaitTask.h"
#include "Media/CameraController.h"
#include "Media/CameraFrameScaler.h"
#include "Media/CaptureFormat.h"
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

TEST(CaptureFormat, TheNearestTo720pWinsThenTheFasterOne) {
    using Offer = std::vector<CaptureFormatChoice>;
    const QSize hd(1280, 720);
    EXPECT_EQ(nearestCaptureFormat({}, hd), std::nullopt);
    // A webcam's usual list: raw 720p at 10 Hz, compressed 720p at 30 Hz.
    const Offer webcam{{{640, 480}, 30}, {{1280, 720}, 10}, {{1280, 720}, 30}, {{1920, 1080}, 30}, {{320, 240}, 30}};
    EXPECT_EQ(nearestCaptureFormat(webcam, hd), 2u);
    // Nothing at 720p: by the sum of both sides' distance.
    EXPECT_EQ(nearestCaptureFormat(Offer{{{320, 240}, 30}, {{1920, 1080}, 30}}, hd), 1u);
    EXPECT_EQ(nearestCaptureFormat(Offer{{{3840, 2160}, 30}, {{640, 480}, 30}}, hd), 1u);
    EXPECT_EQ(nearestCaptureFormat(Offer{{{1280, 800}, 30}, {{1280, 800}, 30}}, hd), 0u) << "the first of equals";
}

TEST(CameraFrameScaler, PicturesCoverTheTargetAndComeFromItsOwnThread) {
    // Twice as wide as the target: a quarter is cut off each side.
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    for (int y = 0; y < 100; ++y)
        for (int x = 200; x < 400; ++x) wide.setPixelColor(x, y, Qt::blue);
    const QImage fitted = CameraFrameScaler::fitted(wide, {100, 50});
    ASSERT_EQ(fitted.size(), QSize(100, 50));
    EXPECT_EQ(fitted.pixelColor(10, 25), QColor(Qt::red));
    EXPECT_EQ(fitted.pixelColor(90, 25), QColor(Qt::blue));
    EXPECT_TRUE(CameraFrameScaler::fitted(wide, {}).isNull());

    CameraFrameScaler scaler({32, 24});
    std::vector<QSize> sizes;
    std::atomic<bool> offMainThread = true;
    QObject::connect(&scaler, &CameraFrameScaler::pictureReady, &scaler, [&](const QImage& picture) {
        sizes.push_back(picture.size());
    });
    QObject::connect(
        &scaler, &CameraFrameScaler::pictureReady, &scaler,
        [&] {
            if (QThread::currentThread() == qApp->thread()) offMainThread = false;
        }, Qt::DirectConnection);
    scaler.push(QVideoFrame()); // no picture in it
    for (int i = 0; i < 20; ++i) scaler.push(blackFrame());
    ASSERT_TRUE(runUntil([&] { return !sizes.empty(); }, 5s));
    turnEventLoop(100ms);
    EXPECT_TRUE(offMainThread);
    EXPECT_LE(sizes.size(), 20u);
    for (const QSize& size : sizes) EXPECT_EQ(size, QSize(32, 24));
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
