// The microphone and camera page with its check: the real microphone of the test sound server,
// the real camera capture (this machine has no camera), and stand-ins only for what no Linux
// machine here can have: a camera that is found, and an access request that someone answers.

#include <gtest/gtest.h>

#include <QCoro/QCoroTimer>
#include <QEventLoop>
#include <QPointer>
#include <QProcess>
#include <QThread>
#include <QVideoFrame>
#include <QVideoSink>
#include <ctime>
#include <iostream>
#include <thread>

#include "../Support/AwaitTask.h"
#include "Cards/RetroProgressBar.h"
#include "Controls/RetroButton.h"
#include "LocalizedViews/LocNotifier.h"
#include "Media/CameraFrameScaler.h"
#include "Stations/CameraPreview.h"
#include "Stations/MicCameraCheck.h"
#include "Stations/MicCameraStationBinding.h"
#include "Stations/Verdict.h"
#include "Theme/Palette.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"

namespace zantiva::testing {
namespace {

using namespace std::chrono_literals;

bool withoutSoundServer() { return qEnvironmentVariableIsSet("ZANTIVA_NO_SOUND_SERVER"); }

// The answer to an access request, given a while later as a person would.
QCoro::Task<bool> answeredLater(bool granted) {
    QCoro::Task<> waiting = QCoro::sleepFor(100ms);
    co_await waiting;
    co_return granted;
}

// How many streams this program records from the sound server now (other test programs may
// record at the same time).
int recordingStreams() {
    QProcess pactl;
    pactl.start("pactl", {"list", "source-outputs"});
    pactl.waitForFinished();
    const QString ours = QString("application.process.id = \"%1\"").arg(QCoreApplication::applicationPid());
    return static_cast<int>(QString::fromUtf8(pactl.readAllStandardOutput()).count(ours));
}

QImage halves(QSize size, QColor left, QColor right) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(left);
    for (int y = 0; y < size.height(); ++y)
        for (int x = size.width() / 2; x < size.width(); ++x) image.setPixelColor(x, y, right);
    return image;
}

QVideoFrame videoFrame(const QImage& image) {
    QVideoFrame frame(QVideoFrameFormat(image.size(), QVideoFrameFormat::Format_BGRX8888));
    frame.map(QVideoFrame::WriteOnly);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(frame.bits(0) + y * frame.bytesPerLine(0), image.constScanLine(y), image.width() * 4);
    frame.unmap();
    return frame;
}

// A grey frame in the packed YUV 4:2:2 most webcams deliver.
QVideoFrame webcamFrame(QSize size, uchar luma) {
    QVideoFrame frame(QVideoFrameFormat(size, QVideoFrameFormat::Format_YUYV));
    frame.map(QVideoFrame::WriteOnly);
    for (int y = 0; y < size.height(); ++y) {
        uchar* line = frame.bits(0) + y * frame.bytesPerLine(0);
        for (int x = 0; x < size.width(); ++x) {
            line[2 * x] = luma;
            line[2 * x + 1] = 128;
        }
    }
    frame.unmap();
    return frame;
}

class MicCameraStationTest : public ::testing::Test {
protected:
    // A page whose check sees the devices as told and records what it reports.
    MicCameraCheck& makePage(MediaAccess access, bool bypassPeripherals = false) {
        page = std::make_unique<MicCameraStation>();
        auto* check = new MicCameraCheck([bypassPeripherals] { return bypassPeripherals; },
                                         [this](const StationOutcome& outcome) { outcomes.push_back(outcome); },
                                         std::move(access));
        return bindMicCameraCheck(*page, *check, notifier);
    }
    static MediaAccess withCamera(std::function<QCoro::Task<bool>(MediaType)> answer = MediaDevices::requestAccess) {
        return {.hasCamera = [] { return true; }, .hasMicrophone = MediaDevices::hasMicrophone,
                .requestAccess = std::move(answer)};
    }
    void needsMicrophone() {
        if (withoutSoundServer() || !MediaDevices::hasMicrophone()) GTEST_SKIP() << "run under scripts/with-services";
    }

    Loc loc{AppLanguage::english};
    LocNotifier notifier{loc};
    std::unique_ptr<MicCameraStation> page;
    std::vector<StationOutcome> outcomes;
};

TEST_F(MicCameraStationTest, NeitherCameraNorMicrophoneEndsAsBypassedWithoutAsking) {
    int asked = 0;
    makePage({.hasCamera = [] { return false; }, .hasMicrophone = [] { return false; },
              .requestAccess = [&](MediaType type) { ++asked; return MediaDevices::requestAccess(type); }});
    page->show();
    ASSERT_TRUE(runUntil([&] { return !outcomes.empty(); }, 5s));
    EXPECT_EQ(outcomes, std::vector{StationOutcome::bypassed()});
    EXPECT_EQ(asked, 0);
}

TEST_F(MicCameraStationTest, WithoutSoundServerAndCameraThePageEndsAsBypassed) {
    if (!withoutSoundServer()) GTEST_SKIP() << "runs as StationsWithoutSoundServer";
    makePage({});
    page->show();
    ASSERT_TRUE(runUntil([&] { return !outcomes.empty(); }, 5s));
    EXPECT_EQ(outcomes, std::vector{StationOutcome::bypassed()});
}

TEST_F(MicCameraStationTest, BypassedPeripheralsLeaveTheCameraOffAndTheMeterFollowsTheMicrophone) {
    needsMicrophone();
    MicCameraCheck& check = makePage(withCamera(), true);
    page->show();
    ASSERT_TRUE(runUntil([&] { return check.microphone().isRunning(); }, 5s));
    EXPECT_FALSE(check.camera().isRunning());
    EXPECT_FALSE(check.camera().delivery().isWatching());
    EXPECT_TRUE(runUntil([] { return recordingStreams() == 1; }, 5s));
    EXPECT_EQ(page->instruction()->prose(), QString::fromStdString(loc["Mic.CameraBypassed"]));
    EXPECT_TRUE(page->cameraColumn()->isHidden());
    EXPECT_FALSE(page->meter()->isHidden());
    EXPECT_TRUE(page->noMicrophone()->isHidden());
    EXPECT_EQ(page->pitch()->text(), "\u2014") << "nothing plays: a silent room has no pitch";

    page->verdict()->continueButton()->click();
    EXPECT_FALSE(check.microphone().isRunning());
    EXPECT_TRUE(runUntil([] { return recordingStreams() == 0; }, 5s));
    EXPECT_EQ(outcomes, std::vector{StationOutcome::micCamera(true, true)});
}

TEST_F(MicCameraStationTest, ACameraThatCannotDeliverIsReportedAndLosesItsColumn) {
    MicCameraCheck& check = makePage(withCamera());
    page->show();
    // The camera was found, access granted; the capture finds no device and fails.
    ASSERT_TRUE(runUntil([&] { return check.state().cameraFailed; }, 5s));
    EXPECT_TRUE(check.state().cameraActive);
    EXPECT_FALSE(page->cameraFailed()->isHidden());
    EXPECT_EQ(page->cameraFailed()->prose(), QString::fromStdString(loc["Mic.CameraFailed"]));
    EXPECT_TRUE(page->cameraColumn()->isHidden());
    EXPECT_TRUE(outcomes.empty()) << "a failed camera waits for the user's verdict";

    page->verdict()->issueButton()->click();
    EXPECT_EQ(outcomes, std::vector{StationOutcome::micCamera(false, false)});
}

TEST_F(MicCameraStationTest, ARefusedCameraLeavesTheMicrophoneMeterLive) {
    needsMicrophone();
    MicCameraCheck& check = makePage(withCamera([](MediaType type) {
        return type == MediaType::video ? answeredLater(false) : answeredLater(true);
    }));
    page->show();
    ASSERT_TRUE(runUntil([&] { return check.microphone().isRunning(); }, 5s));
    EXPECT_FALSE(page->accessDenied()->isHidden());
    EXPECT_TRUE(page->cameraColumn()->isHidden());
    EXPECT_FALSE(check.camera().delivery().isWatching()) << "a refused camera is never started";
    EXPECT_FALSE(page->meter()->isHidden());
}

TEST_F(MicCameraStationTest, AnAnswerAfterThePageWentAwayStartsNoDevice) {
    needsMicrophone();
    // Hidden while the camera's request is open.
    MicCameraCheck& check = makePage(withCamera([](MediaType) { return answeredLater(true); }));
    page->show();
    runUntil([] { return false; }, 20ms);
    page->hide();
    runUntil([] { return false; }, 300ms);
    EXPECT_FALSE(check.camera().delivery().isWatching());
    EXPECT_FALSE(check.microphone().isRunning());
    EXPECT_FALSE(check.state().cameraActive);

    // Gone while the microphone's request is open.
    makePage({.hasCamera = [] { return false; }, .hasMicrophone = [] { return true; },
              .requestAccess = [](MediaType) { return answeredLater(true); }});
    page->show();
    runUntil([] { return false; }, 20ms);
    page.reset();
    runUntil([] { return false; }, 300ms);
    EXPECT_EQ(recordingStreams(), 0);
    EXPECT_TRUE(outcomes.empty());
}

TEST_F(MicCameraStationTest, TheCamerasFramesReachThePreview) {
    MicCameraCheck& check = makePage({});
    check.camera().videoSink().setVideoFrame(videoFrame(halves({64, 40}, Qt::red, Qt::blue)));
    ASSERT_TRUE(runUntil([&] { return !page->preview()->frame().isNull(); }, 5s));
    const QImage shown = page->preview()->frame();
    ASSERT_EQ(shown.size(), CameraPreview::frameSize * page->preview()->devicePixelRatioF());
    EXPECT_EQ(shown.pixelColor(shown.width() / 8, shown.height() / 2), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(shown.width() * 7 / 8, shown.height() / 2), QColor(Qt::blue));
}

// A 1080p camera delivering from a thread of its own, as capture back ends do: the frames
// are converted and scaled off the main thread, which only ever gets preview-sized pictures.
// Prints the main thread's CPU time per frame.
TEST_F(MicCameraStationTest, AFullHdStreamCostsTheMainThreadOnlyPreviewSizedPictures) {
    MicCameraCheck& check = makePage({});
    const QSize previewPixels = CameraPreview::frameSize * page->preview()->devicePixelRatioF();
    std::vector<QSize> received;
    QObject::connect(page->preview()->findChild<CameraFrameScaler*>(), &CameraFrameScaler::pictureReady, page.get(),
                     [&](const QImage& picture) {
                         EXPECT_EQ(QThread::currentThread(), qApp->thread());
                         received.push_back(picture.size());
                     });
    page->show();
    // Two frames in turn (a sink passes on only a frame that differs from the last), packed
    // YUV as webcams send them, so each one needs converting.
    const QVideoFrame fullHd[] = {webcamFrame({1920, 1080}, 60), webcamFrame({1920, 1080}, 200)};
    constexpr int frames = 120;
    // The main thread waits in its own event loop, as the program's does, so that only the
    // work the frames bring it counts.
    QEventLoop mainLoop;
    const auto mainThreadCpu = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
    };
    const double cpuBefore = mainThreadCpu();
    std::thread camera([&] {
        // 30 frames a second.
        for (int i = 0; i < frames; ++i) {
            check.camera().videoSink().setVideoFrame(fullHd[i % 2]);
            std::this_thread::sleep_for(33ms);
        }
        // Time for the last picture's way to the screen.
        std::this_thread::sleep_for(200ms);
        QMetaObject::invokeMethod(&mainLoop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    mainLoop.exec();
    camera.join();
    const double msPerFrame = (mainThreadCpu() - cpuBefore) / frames;
    std::cout << "main thread: " << msPerFrame << " ms of CPU a 1080p frame, " << received.size() << " pictures\n";
    RecordProperty("main_thread_ms_per_frame", std::to_string(msPerFrame));

    ASSERT_FALSE(received.empty());
    EXPECT_LE(received.size(), std::size_t(frames));
    for (const QSize& size : received) EXPECT_EQ(size, previewPixels);
    EXPECT_EQ(page->preview()->frame().size(), previewPixels);
}

TEST(CameraPreview, FillsItsRoundedFrameCroppingTheOverhang) {
    CameraPreview preview;
    const QImage dark = preview.grab().toImage();
    EXPECT_EQ(dark.pixelColor(160, 100), QColor(Qt::black));

    // Twice as wide as the frame's aspect: a quarter is cut off on each side, so the left
    // half's right part and the right half's left part fill the frame.
    preview.setFrame(halves({640, 200}, Qt::red, Qt::blue));
    const QImage shown = preview.grab().toImage();
    ASSERT_EQ(shown.size(), CameraPreview::frameSize);
    EXPECT_EQ(shown.pixelColor(80, 100), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(240, 100), QColor(Qt::blue));
    // The outline inside the edge, and the rounded corner cut out of the picture.
    EXPECT_EQ(shown.pixelColor(160, 0), color(PaletteColor::outline));
    EXPECT_EQ(shown.pixelColor(0, 100), color(PaletteColor::outline));
    EXPECT_NE(shown.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_NE(shown.pixelColor(1, 1), color(PaletteColor::outline));
}

} // namespace
} // namespace zantiva::testing
