#pragma once

#include <QImage>
#include <QWidget>

namespace zantiva {

// The product logo at a given height, as wide as the picture's aspect ratio gives. Without the
// picture (missing from the resource bundle or not decodable) it shows the product name in
// Vazirmatn-Black at 0.7 of the height in crimson, so there is never an empty space.
class ZantivaLogo : public QWidget {
    Q_OBJECT
public:
    explicit ZantivaLogo(qreal height, QWidget* parent = nullptr);
    // With a picture of the caller's; a null image shows the name.
    ZantivaLogo(qreal height, const QImage& picture, QWidget* parent = nullptr);

    bool showsPicture() const { return !picture_.isNull(); }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont nameFont() const;

    qreal height_;
    QImage picture_;
};

} // namespace zantiva
