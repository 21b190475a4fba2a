#include "Presenters/MicCameraPresenter.h"

#include "Localization/Loc.h"
#include "Presenters/StationNumbers.h"

namespace zantiva::MicCameraPresenter {

MicCameraView present(const MicCameraState& state, const Loc& loc) {
    const auto shownIf = [&loc](bool shown, const char* key) { return shown ? loc[key] : std::string(); };
    const bool showsMeter = state.micAvailable && !state.micFailed;
    return {
        .instruction = loc[state.cameraBypassed ? "Mic.CameraBypassed" : "Mic.Instruction"],
        .accessDenied = shownIf(state.accessDenied, "Mic.AccessDenied"),
        .cameraFailed = shownIf(state.cameraFailed, "Mic.CameraFailed"),
        .startFailed = shownIf(state.micFailed, "Mic.StartFailed"),
        .showsCamera = state.cameraActive && !state.cameraFailed,
        .cameraTitle = loc["Mic.Camera"],
        .microphoneTitle = loc["Mic.Microphone"],
        .showsMeter = showsMeter,
        .levelTitle = loc["Mic.Level"],
        .level = StationNumbers::barFraction(state.level),
        .pitchTitle = loc["Mic.PitchNote"],
        .pitch = state.pitchHz ? StationNumbers::reading("{0:0} Hz", *state.pitchHz) : loc["Mic.NoPitch"],
        .noMicrophone = shownIf(!showsMeter && !state.micFailed, "Mic.NoMicrophone"),
        .verdict = StationFramePresenter::verdict(true, loc),
    };
}

} // namespace zantiva::MicCameraPresenter
