#include "Media/CaptureFormat.h"

#include <QCameraDevice>
#include <QCameraFormat>
#include <cstdlib>

namespace zantiva {

std::optional<std::size_t> nearestCaptureFormat(const std::vector<CaptureFormatChoice>& offered, QSize wanted) {
    std::optional<std::size_t> best;
    int bestDistance = 0;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        const QSize size = offered[i].resolution;
        const int distance = std::abs(size.width() - wanted.width()) + std::abs(size.height() - wanted.height());
        if (!best || distance < bestDistance ||
            (distance == bestDistance && offered[i].maxFrameRate > offered[*best].maxFrameRate)) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

QCameraFormat previewCaptureFormat(const QCameraDevice& camera) {
    const QList<QCameraFormat> formats = camera.videoFormats();
    std::vector<CaptureFormatChoice> offered;
    offered.reserve(std::size_t(formats.size()));
    for (const QCameraFormat& format : formats) offered.push_back({format.resolution(), format.maxFrameRate()});
    const auto nearest = nearestCaptureFormat(offered, previewCaptureSize);
    return nearest ? formats.at(qsizetype(*nearest)) : QCameraFormat();
}

} // namespace zantiva
