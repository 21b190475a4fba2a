#pragma once

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <functional>

#include "Media/CameraController.h"
#include "Media/MediaDevices.h"
#include "Media/MicrophoneMonitor.h"
#include "Presenters/MicCameraPresenter.h"
#include "Runners/StationOutcome.h"

namespace zantiva {

// What the check asks of the system about its devices; the real devices unless a test says
// otherwise for what this machine cannot have (a camera, a refusal).
struct MediaAccess {
    std::function<bool()> hasCamera = [] { return !MediaDevices::cameras().isEmpty(); };
    std::function<bool()> hasMicrophone = MediaDevices::hasMicrophone;
    std::function<QCoro::Task<bool>(MediaType)> requestAccess = MediaDevices::requestAccess;
};

// The microphone and camera check of one page: asks for access to the camera, then the
// microphone, starts what it may, and ends the module with the user's verdict, or as bypassed
// at once when there is neither a camera to use nor a microphone. Main thread only.
class MicCameraCheck : public QObject {
    Q_OBJECT

public:
    using Report = std::function<void(const StationOutcome&)>;

    // bypassPeripherals: read when the check begins; report: ends the module.
    MicCameraCheck(std::function<bool()> bypassPeripherals, Report report, MediaAccess access = {},
                   QObject* parent = nullptr);
    // Stops both devices, telling no one: the page may be half destroyed.
    ~MicCameraCheck() override;

    // The flags with the microphone's latest reading.
    MicCameraState state() const;
    MicrophoneMonitor& microphone() { return microphone_; }
    CameraController& camera() { return camera_; }

    // Runs each time the page appears. An answer to an access request that comes after the
    // page went away starts nothing.
    QCoro::Task<> begin();
    // The page went away: both devices stop.
    void leave();
    // The verdict: both devices stop, then the module ends passed or not.
    void finish(bool passed);

signals:
    void changed();

private:
    // Whether the page is still there to start a device for.
    static bool present(const QPointer<MicCameraCheck>& check) { return check && check->shown_; }
    void set(bool MicCameraState::*flag, bool value);
    void stopDevices();

    std::function<bool()> bypassPeripherals_;
    Report report_;
    MediaAccess access_;
    MicrophoneMonitor microphone_;
    CameraController camera_;
    MicCameraState flags_;
    bool shown_ = false;
};

} // namespace zantiva
