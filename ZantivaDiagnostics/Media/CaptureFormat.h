#pragma once

#include <QSize>
#include <cstddef>
#include <optional>
#include <vector>

class QCameraDevice;
class QCameraFormat;

namespace zantiva {

// The picture size the camera check asks a camera for: a medium one, plenty for a small
// preview and light on the bus and the decoder.
inline constexpr QSize previewCaptureSize{1280, 720};

// One format a camera offers, as far as the choice goes.
struct CaptureFormatChoice {
    QSize resolution;
    float maxFrameRate = 0;
};

// The offered format nearest to the wanted size (the smallest sum of the width's and the
// height's distance), the higher frame rate among equally near ones, the first among equals.
// None when nothing is offered.
std::optional<std::size_t> nearestCaptureFormat(const std::vector<CaptureFormatChoice>& offered, QSize wanted);

// The camera's format nearest to previewCaptureSize; a null format (the camera's own choice)
// when it lists none.
QCameraFormat previewCaptureFormat(const QCameraDevice& camera);

} // namespace zantiva
