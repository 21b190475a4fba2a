#pragma once

#include <QImage>
#include <QWidget>

#include "Engines/GpuRenderer.h"

namespace zantiva {

// The engine's preview as an image that owns its pixels: the RGBA rows come top row first,
// so they are taken as they are, never flipped. A preview whose pixel buffer does not match
// its size gives the null image.
QImage previewImage(const GpuPreviewImage& preview);

// The rendered preview at most 360 pixels wide, its aspect kept, clipped to a rounded
// rectangle with the outline inside its edge.
class GpuPreviewFrame : public QWidget {
    Q_OBJECT

public:
    static constexpr int maximumWidth = 360;

    explicit GpuPreviewFrame(QWidget* parent = nullptr);

    const QImage& image() const { return image_; }
    void setImage(QImage image);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

} // namespace zantiva
