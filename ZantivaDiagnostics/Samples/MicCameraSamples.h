#pragma once

#include <QImage>

#include "Presenters/SuitePresenter.h"

class QWidget;

namespace zantiva {

class LocNotifier;

// The microphone and camera page on sample readings, in each state a user can meet.
namespace MicCameraSamples {

// A full run at the microphone and camera check, the modules before it done.
SuiteState run();
// A made-up webcam picture: a figure before a lit wall.
QImage cameraPicture();

// The camera's picture beside a voice on the meter.
QWidget* live(LocNotifier& loc);
// No camera: only the microphone is judged.
QWidget* withoutCamera(LocNotifier& loc);
// The camera refused, the microphone live.
QWidget* accessDenied(LocNotifier& loc);
// Neither device started.
QWidget* failed(LocNotifier& loc);

} // namespace MicCameraSamples
} // namespace zantiva
