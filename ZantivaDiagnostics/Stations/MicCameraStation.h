#pragma once

#include <QWidget>

#include "Presenters/MicCameraPresenter.h"

namespace zantiva {

class CameraPreview;
class ProseLabel;
class RetroProgressBar;
class HardwareText;
class Verdict;

// The microphone and camera check's page: the instruction, what went wrong, the camera's live
// picture beside the microphone's level and pitch, and the verdict.
class MicCameraStation : public QWidget {
    Q_OBJECT

public:
    explicit MicCameraStation(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const MicCameraView& view);

    ProseLabel* instruction() const { return instruction_; }
    ProseLabel* accessDenied() const { return accessDenied_; }
    ProseLabel* cameraFailed() const { return cameraFailed_; }
    ProseLabel* startFailed() const { return startFailed_; }
    QWidget* cameraColumn() const { return cameraColumn_; }
    CameraPreview* preview() const { return preview_; }
    QWidget* meter() const { return meter_; }
    HardwareText* pitch() const { return pitch_; }
    ProseLabel* noMicrophone() const { return noMicrophone_; }
    Verdict* verdict() const { return verdict_; }

signals:
    // The page came into view, or went out of it (not a minimised window).
    void appeared();
    void disappeared();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    ProseLabel* instruction_;
    ProseLabel* accessDenied_;
    ProseLabel* cameraFailed_;
    ProseLabel* startFailed_;
    ProseLabel* cameraTitle_;
    ProseLabel* microphoneTitle_;
    ProseLabel* levelTitle_;
    ProseLabel* pitchTitle_;
    QWidget* cameraColumn_;
    CameraPreview* preview_;
    QWidget* meter_;
    RetroProgressBar* levelBar_;
    HardwareText* pitch_;
    ProseLabel* noMicrophone_;
    Verdict* verdict_;
};

} // namespace zantiva
