#include "Stations/MicCameraStationBinding.h"

#include <QVideoSink>

#include "LocalizedViews/LocNotifier.h"
#include "Media/CameraFrameScaler.h"
#include "Media/DeviceWatch.h"
#include "Runners/TestSuiteRunner.h"
#include "Stations/CameraPreview.h"
#include "Stations/MicCameraCheck.h"
#include "Stations/Verdict.h"
#include "Bridge/DetachedTask.h"

namespace zantiva {

MicCameraCheck& bindMicCameraStation(MicCameraStation& page, TestSuiteRunner& runner, LocNotifier& loc) {
    // The check's camera and microphone are the first of Qt Multimedia that the window makes.
    leaveUnusedProvidersOutOfDeviceWatch();
    auto* check = new MicCameraCheck([&runner] { return runner.bypassPeripherals(); },
                                     [&runner](const StationOutcome& outcome) { runner.complete(outcome); });
    return bindMicCameraCheck(page, *check, loc);
}

MicCameraCheck& bindMicCameraCheck(MicCameraStation& page, MicCameraCheck& check, LocNotifier& loc) {
    check.setParent(&page);
    const auto refresh = [&page, &check, &loc] { page.show(MicCameraPresenter::present(check.state(), loc.loc())); };
    QObject::connect(&check, &MicCameraCheck::changed, &page, refresh);
    loc.bind(&page, refresh);
    // Frames come from the camera's thread and are made preview-sized there, off the main thread.
    CameraPreview* preview = page.preview();
    auto* pictures = new CameraFrameScaler(preview->size() * preview->devicePixelRatioF(), preview);
    QObject::connect(&check.camera().videoSink(), &QVideoSink::videoFrameChanged, pictures, &CameraFrameScaler::push,
                     Qt::DirectConnection);
    QObject::connect(pictures, &CameraFrameScaler::pictureReady, preview, &CameraPreview::setFrame);
    QObject::connect(&page, &MicCameraStation::appeared, &check, [&check] { detach(check.begin()); });
    QObject::connect(&page, &MicCameraStation::disappeared, &check, &MicCameraCheck::leave);
    QObject::connect(page.verdict(), &Verdict::continuePressed, &check, [&check] { check.finish(true); });
    QObject::connect(page.verdict(), &Verdict::issuePressed, &check, [&check] { check.finish(false); });
    return check;
}

} // namespace zantiva
