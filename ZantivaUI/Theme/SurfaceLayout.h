#pragma once

#include <QLayout>
#include <QMargins>
#include <memory>

namespace zantiva {

class HardShadowSurface;

// Lays one widget or layout out on the face of a hard-shadow surface: inside the padding, with
// the shadow's room kept free on the right and at the bottom, and moving with the face while it
// lifts or sinks, so that a card's content rides on its card.
class SurfaceLayout : public QLayout {
public:
    SurfaceLayout(QWidget* host, const HardShadowSurface& surface, QMargins padding);
    ~SurfaceLayout() override;

    void setContent(QWidget* content);
    void setContent(QLayout* content);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    QSize maximumSize() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    Qt::Orientations expandingDirections() const override;
    void setGeometry(const QRect& rect) override;

private:
    QSize around(const QSize& content) const;
    void place();

    const HardShadowSurface& surface_;
    QMargins padding_;
    std::unique_ptr<QLayoutItem> item_;
};

} // namespace zantiva
