#pragma once

#include <QColor>

#include "Model/DeviceGrade.h"
#include "Model/DriveHealthStatus.h"

namespace zantiva {

// Good is cyan, fair olive yellow, poor crimson.
const QColor& color(DeviceGradeTone tone);
// The same accents as the tones; a drive with no verdict is the neutral card grey.
const QColor& color(DriveHealthStatus status);

} // namespace zantiva
