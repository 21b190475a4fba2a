// The microphone and camera page: which texts and columns each stage of its check shows.

#include <gtest/gtest.h>

#include <cmath>

#include "Localization/Loc.h"
#include "Presenters/MicCameraPresenter.h"

using namespace zantiva;

namespace {

const Loc english(AppLanguage::english);

// What tells the stages apart: the notices, the columns and the microphone's lines.
struct Shown {
    std::string instruction, accessDenied, cameraFailed, startFailed;
    bool camera = false, meter = false;
    std::string noMicrophone;
    bool operator==(const Shown&) const = default;
};

Shown shown(const MicCameraState& state) {
    const MicCameraView v = MicCameraPresenter::present(state, english);
    return {v.instruction, v.accessDenied, v.cameraFailed, v.startFailed, v.showsCamera, v.showsMeter, v.noMicrophone};
}

const std::string instruction = english["Mic.Instruction"];
const std::string denied = english["Mic.AccessDenied"];
const std::string cameraFailed = english["Mic.CameraFailed"];
const std::string micFailed = english["Mic.StartFailed"];
const std::string noMicrophone = english["Mic.NoMicrophone"];

} // namespace

TEST(MicCameraPresenter, EachStageOfTheCheckShowsItsColumnsAndNotices) {
    // Still asking: no column but the microphone's title and that there is none yet.
    EXPECT_EQ(shown({}), (Shown{instruction, "", "", "", false, false, noMicrophone}));
    EXPECT_EQ(shown({.cameraActive = true, .micAvailable = true}), (Shown{instruction, "", "", "", true, true, ""}));
    // Camera refused, microphone granted: no camera column, a live meter.
    EXPECT_EQ(shown({.micAvailable = true, .accessDenied = true}), (Shown{instruction, denied, "", "", false, true, ""}));
    // A camera that failed loses its column; a microphone that failed leaves its column empty.
    EXPECT_EQ(shown({.cameraActive = true, .micAvailable = true, .micFailed = true, .cameraFailed = true}),
              (Shown{instruction, "", cameraFailed, micFailed, false, false, ""}));
    const Shown bypassed = shown({.cameraBypassed = true, .micAvailable = true});
    EXPECT_EQ(bypassed.instruction, english["Mic.CameraBypassed"]);
    EXPECT_FALSE(bypassed.camera);
}

TEST(MicCameraPresenter, TheMeterHoldsItsBarInRangeAndNamesAMissingPitch) {
    const auto view = [](double level, std::optional<double> pitch) {
        return MicCameraPresenter::present({.micAvailable = true, .level = level, .pitchHz = pitch}, english);
    };
    EXPECT_EQ(view(0.004, std::nullopt).pitch, english["Mic.NoPitch"]);
    EXPECT_EQ(view(0.5, 219.6).pitch, "220 Hz");
    EXPECT_EQ(view(0.5, 219.6).level, 0.5);
    EXPECT_EQ(view(1.7, std::nullopt).level, 1);
    EXPECT_EQ(view(-0.2, std::nullopt).level, 0);
    EXPECT_EQ(view(std::nan(""), std::nan("")).level, 0);
    EXPECT_EQ(view(std::nan(""), std::nan("")).pitch, "\u2014");
    const VerdictView verdict = view(0, std::nullopt).verdict;
    EXPECT_TRUE(verdict.canContinue);
    EXPECT_EQ(verdict.issueLabel, english["Common.ReportIssue"]);
}
