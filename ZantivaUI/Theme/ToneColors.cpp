#include "Theme/ToneColors.h"

#include "Theme/Palette.h"

namespace zantiva {

const QColor& color(DeviceGradeTone tone) {
    switch (tone) {
    case DeviceGradeTone::good: return Theme::Palette::secondary();
    case DeviceGradeTone::fair: return Theme::Palette::tertiary();
    case DeviceGradeTone::poor: break;
    }
    return Theme::Palette::primary();
}

const QColor& color(DriveHealthStatus status) {
    switch (status) {
    case DriveHealthStatus::good: return Theme::Palette::secondary();
    case DriveHealthStatus::caution: return Theme::Palette::tertiary();
    case DriveHealthStatus::bad: return Theme::Palette::primary();
    case DriveHealthStatus::unknown: break;
    }
    return Theme::Palette::card();
}

} // namespace zantiva
