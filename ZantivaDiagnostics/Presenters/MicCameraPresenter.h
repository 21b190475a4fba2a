#pragma once

#include <optional>
#include <string>

#include "Presenters/StationFramePresenter.h"

namespace zantiva {

class Loc;

// What the microphone and camera page knows: how far its check got, and the microphone's
// latest reading.
struct MicCameraState {
    bool cameraActive = false;   // access granted and the camera asked to start
    bool cameraBypassed = false; // no camera, or the run leaves peripherals out
    bool micAvailable = false;   // microphone access granted
    bool accessDenied = false;   // camera or microphone access refused
    bool micFailed = false;      // the microphone did not start
    bool cameraFailed = false;   // the camera did not start or delivered no picture
    double level = 0;
    std::optional<double> pitchHz;

    bool operator==(const MicCameraState&) const = default;
};

// The page: the instruction, what went wrong (an empty text is not shown), the camera column
// with its preview, the microphone column with either its meter or that there is no
// microphone (nothing under the title when the microphone failed), and the verdict, whose
// Continue is always open.
struct MicCameraView {
    std::string instruction;
    std::string accessDenied;
    std::string cameraFailed;
    std::string startFailed;
    bool showsCamera = false;
    std::string cameraTitle;
    std::string microphoneTitle;
    bool showsMeter = false;
    std::string levelTitle;
    double level = 0; // of the bar: 0 ... 1
    std::string pitchTitle;
    std::string pitch;
    std::string noMicrophone;
    VerdictView verdict;

    bool operator==(const MicCameraView&) const = default;
};

namespace MicCameraPresenter {

MicCameraView present(const MicCameraState& state, const Loc& loc);

} // namespace MicCameraPresenter
} // namespace zantiva
