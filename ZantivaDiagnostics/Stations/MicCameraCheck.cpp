#include "Stations/MicCameraCheck.h"

namespace zantiva {

MicCameraCheck::MicCameraCheck(std::function<bool()> bypassPeripherals, Report report, MediaAccess access,
                               QObject* parent)
    : QObject(parent), bypassPeripherals_(std::move(bypassPeripherals)), report_(std::move(report)),
      access_(std::move(access)) {
    connect(&microphone_, &MicrophoneMonitor::levelChanged, this, &MicCameraCheck::changed);
    connect(&microphone_, &MicrophoneMonitor::pitchHzChanged, this, &MicCameraCheck::changed);
}

MicCameraCheck::~MicCameraCheck() {
    blockSignals(true);
    stopDevices();
}

MicCameraState MicCameraCheck::state() const {
    MicCameraState state = flags_;
    state.level = microphone_.level();
    state.pitchHz = microphone_.pitchHz();
    return state;
}

QCoro::Task<> MicCameraCheck::begin() {
    shown_ = true;
    // The check may be gone when an access request answers: only `self` is read after one.
    const QPointer<MicCameraCheck> self(this);
    const bool cameraWanted = access_.hasCamera() && !bypassPeripherals_();
    const bool micPresent = access_.hasMicrophone();
    set(&MicCameraState::cameraBypassed, !cameraWanted);
    if (cameraWanted) {
        QCoro::Task<bool> asking = access_.requestAccess(MediaType::video);
        const bool granted = co_await asking;
        if (!present(self)) co_return;
        if (!granted) {
            set(&MicCameraState::accessDenied, true);
        } else {
            camera_.start([this] { set(&MicCameraState::cameraFailed, true); });
            set(&MicCameraState::cameraActive, true);
        }
        if (!micPresent) co_return;
    } else if (!micPresent) {
        stopDevices();
        report_(StationOutcome::bypassed());
        co_return;
    }
    QCoro::Task<bool> asking = access_.requestAccess(MediaType::audio);
    const bool granted = co_await asking;
    if (!present(self)) co_return;
    if (!granted) {
        set(&MicCameraState::accessDenied, true);
        co_return;
    }
    set(&MicCameraState::micAvailable, true);
    set(&MicCameraState::micFailed, !microphone_.start());
}

void MicCameraCheck::leave() {
    shown_ = false;
    stopDevices();
}

void MicCameraCheck::finish(bool passed) {
    const bool cameraBypassed = flags_.cameraBypassed;
    stopDevices();
    report_(StationOutcome::micCamera(passed, cameraBypassed));
}

void MicCameraCheck::set(bool MicCameraState::*flag, bool value) {
    if (flags_.*flag == value) return;
    flags_.*flag = value;
    emit changed();
}

void MicCameraCheck::stopDevices() {
    microphone_.stop();
    camera_.stop();
}

} // namespace zantiva
