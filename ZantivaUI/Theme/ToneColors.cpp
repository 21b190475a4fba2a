#include "Theme/ToneColors.h"

#include "Theme/Palette.h"

namespace zantiva {

const QColor& color(DeviceGradeTone tone) {
    switch (tone) {
    case DeviceGradeTone::good: return color(PaletteColor::secondary);
    case DeviceGradeTone::fair: return color(PaletteColor::tertiary);
    case DeviceGradeTone::poor: break;
    }
    return color(PaletteColor::primary);
}

const QColor& color(DriveHealthStatus status) {
    switch (status) {
    case DriveHealthStatus::good: return color(PaletteColor::secondary);
    case DriveHealthStatus::caution: return color(PaletteColor::tertiary);
    case DriveHealthStatus::bad: return color(PaletteColor::primary);
    case DriveHealthStatus::unknown: break;
    }
    return color(PaletteColor::card);
}

} // namespace zantiva
