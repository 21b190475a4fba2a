#pragma once

#include <QImage>
#include <QWidget>

#include "Theme/Metric.h"

namespace zantiva {

// The camera's live picture, 320 × 200: each frame fills the frame and is cropped to it, its
// aspect kept, clipped to a rounded rectangle with the outline inside its edge. Dark until
// the first frame.
class CameraPreview : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize frameSize{320, 200};
    static constexpr qreal cornerRadius = Theme::Metric::badgeRadius;

    explicit CameraPreview(QWidget* parent = nullptr);

    const QImage& frame() const { return frame_; }
    void setFrame(QImage frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame_;
};

} // namespace zantiva
