#include "Stations/MicCameraStation.h"

#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "Cards/RetroProgressBar.h"
#include "Layout/LeadingRow.h"
#include "Layout/PageColumn.h"
#include "Stations/CameraPreview.h"
#include "Stations/Verdict.h"
#include "Theme/Palette.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

QVBoxLayout* columnOf(QWidget& widget, int spacing) {
    auto* column = new QVBoxLayout(&widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    return column;
}

void showNotice(ProseLabel& label, const std::string& text) {
    label.setVisible(!text.empty());
    label.setProse(qs(text));
}

} // namespace

MicCameraStation::MicCameraStation(QWidget* parent)
    : QWidget(parent), instruction_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      accessDenied_(wrappedLabel(TextRole::body, color(PaletteColor::tertiary))),
      cameraFailed_(wrappedLabel(TextRole::body, color(PaletteColor::tertiary))),
      startFailed_(wrappedLabel(TextRole::body, color(PaletteColor::tertiary))),
      cameraTitle_(proseLabel(TextRole::label, color(PaletteColor::text))),
      microphoneTitle_(proseLabel(TextRole::label, color(PaletteColor::text))),
      levelTitle_(proseLabel(TextRole::label, color(PaletteColor::text))),
      pitchTitle_(wrappedLabel(TextRole::label, color(PaletteColor::text))), cameraColumn_(new QWidget),
      preview_(new CameraPreview), meter_(new QWidget),
      levelBar_(new RetroProgressBar(0, color(PaletteColor::secondary))),
      pitch_(new HardwareText(QString(), 22, QFont::Bold, color(PaletteColor::text))),
      noMicrophone_(wrappedLabel(TextRole::body, color(PaletteColor::text))), verdict_(new Verdict) {
    QVBoxLayout* camera = columnOf(*cameraColumn_, 6);
    camera->addWidget(cameraTitle_);
    camera->addWidget(preview_);
    camera->addStretch();

    QVBoxLayout* levels = columnOf(*meter_, 8);
    levels->addWidget(levelTitle_);
    levels->addWidget(levelBar_);
    levels->addWidget(pitchTitle_);
    levels->addLayout(leadingRow(pitch_));

    auto* microphoneColumn = new QWidget;
    QVBoxLayout* microphone = columnOf(*microphoneColumn, 8);
    microphone->addWidget(microphoneTitle_);
    microphone->addWidget(meter_);
    microphone->addWidget(noMicrophone_);
    microphone->addStretch();

    auto* row = new QHBoxLayout;
    row->setSpacing(20);
    row->addWidget(cameraColumn_, 0, Qt::AlignTop);
    row->addWidget(microphoneColumn, 1);

    QVBoxLayout* column = pageColumn(*this);
    for (QWidget* notice : std::initializer_list<QWidget*>{instruction_, accessDenied_, cameraFailed_, startFailed_}) column->addWidget(notice);
    column->addLayout(row);
    column->addWidget(verdict_);
    for (QWidget* hidden : std::initializer_list<QWidget*>{accessDenied_, cameraFailed_, startFailed_, cameraColumn_, meter_}) hidden->hide();
}

void MicCameraStation::show(const MicCameraView& view) {
    instruction_->setProse(qs(view.instruction));
    showNotice(*accessDenied_, view.accessDenied);
    showNotice(*cameraFailed_, view.cameraFailed);
    showNotice(*startFailed_, view.startFailed);
    cameraColumn_->setVisible(view.showsCamera);
    cameraTitle_->setProse(qs(view.cameraTitle));
    microphoneTitle_->setProse(qs(view.microphoneTitle));
    meter_->setVisible(view.showsMeter);
    levelTitle_->setProse(qs(view.levelTitle));
    levelBar_->setValue(view.level);
    pitchTitle_->setProse(qs(view.pitchTitle));
    pitch_->setText(qs(view.pitch));
    showNotice(*noMicrophone_, view.noMicrophone);
    verdict_->show(view.verdict);
}

void MicCameraStation::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) emit appeared();
}

void MicCameraStation::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) emit disappeared();
}

} // namespace zantiva
